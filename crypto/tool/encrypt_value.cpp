// Prints the "DeviceInfo.ini" value for a device-type text, for making such files by hand:
//   encrypt_value 1            ->  the value to put after "Type="
//   encrypt_value -d <value>   ->  the text that a value decrypts to, to check a file
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "crypto/device_value.h"

int main(int argc, char** argv) {
    CAesCipher cipher;
    if (argc == 3 && std::strcmp(argv[1], "-d") == 0) {
        // Room for everything the value can decode to, plus the terminating zero.
        std::vector<char> text(std::strlen(argv[2]) + CAesCipher::kBlockSize + 1);
        DecryptValue(cipher, argv[2], text.data(), text.size(), taskwing::kDeviceValueKey);
        std::printf("%s\n", text.data());
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: %s <device-type text>\n       %s -d <value>\n", argv[0], argv[0]);
        return 2;
    }
    const std::string value = taskwing::EncryptValue(cipher, argv[1], taskwing::kDeviceValueKey);
    std::printf("%s\n", value.c_str());
    return 0;
}
