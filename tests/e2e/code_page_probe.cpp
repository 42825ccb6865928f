// Prints the ANSI code page that a program started in the same environment gets (GetACP).
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("%u\n", ::GetACP());
    return 0;
}
