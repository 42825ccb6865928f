// Decryption throughput: counter mode over a large buffer, and whole DecryptValue calls on a
// value of the size the program reads. Usage: decrypt_bench [megabytes, default 64]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "crypto/device_value.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long megabytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 64;
    if (megabytes <= 0) return 2;
    const std::size_t size = static_cast<std::size_t>(megabytes) << 20;

    CAesCipher cipher;
    cipher.MakeKey(reinterpret_cast<const unsigned char*>(taskwing::kDeviceValueKey), 16);
    cipher.SetCounter(taskwing::kDeviceValueCounter);
    std::vector<unsigned char> buffer(size, 0x42);
    auto start = std::chrono::steady_clock::now();
    cipher.Decrypt(buffer.data(), buffer.data(), buffer.size());
    const double bulk = Seconds(start);
    std::printf("Decrypt: %ld MB in %.3f s = %.1f MB/s (check byte %02x)\n", megabytes, bulk, megabytes / bulk,
                buffer[size / 2]);

    // The longest value the program can read is 254 characters.
    const std::string value = taskwing::EncryptValue(cipher, std::string(180, '7').c_str(), taskwing::kDeviceValueKey);
    std::vector<char> out(1024);
    const int calls = 200000;
    std::size_t total = 0;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        total += DecryptValue(cipher, value.c_str(), out.data(), out.size(), taskwing::kDeviceValueKey);
    }
    const double each = Seconds(start);
    std::printf("DecryptValue: %d calls on a %zu-character value in %.3f s = %.2f us per call, %.1f MB/s of value "
                "(%zu characters out)\n",
                calls, value.size(), each, each / calls * 1e6, calls * double(value.size()) / each / 1048576.0,
                total);
    return 0;
}
