// Test helper started by commands under test.
//   nt_child sleep <ms> <text>  waits, then prints the text (in the background it holds the pipe)
//   nt_child cat <file>         writes the file's bytes to standard output in one write, untouched
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        std::printf("%s\n", argv[3]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "cat") == 0) {
        FILE* f = std::fopen(argv[2], "rb");
        if (f == nullptr) return 1;
        std::vector<char> bytes;
        char chunk[65536];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(f);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return written == bytes.size() ? 0 : 1;
    }
    return 2;
}
