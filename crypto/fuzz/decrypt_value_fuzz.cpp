// DecryptValue over arbitrary text, capacities and key strings, each in a heap block of its exact
// size so that AddressSanitizer sees any access outside it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "crypto/device_value.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr char kUntouched = 0x5A;

std::unique_ptr<char[]> Terminated(const char* bytes, std::size_t length) {
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), bytes, length);
    copy[length] = '\0';
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two bytes of output capacity, one choosing how much of the key string to pass (short ones
    // included), then the text up to its first NUL.
    if (size < 3) return 0;
    const std::size_t capacity = data[0] | (std::size_t{data[1]} << 8);
    const std::size_t keyLength = data[2] % (sizeof(taskwing::kDeviceValueKey));
    const char* raw = reinterpret_cast<const char*>(data + 3);
    const std::size_t length = strnlen(raw, size - 3);
    const auto text = Terminated(raw, length);
    const auto key = Terminated(taskwing::kDeviceValueKey, keyLength);

    CAesCipher cipher;
    std::unique_ptr<char[]> out(new char[capacity]);
    std::memset(out.get(), kUntouched, capacity);
    const std::size_t result = DecryptValue(cipher, text.get(), out.get(), capacity, key.get());

    // Every byte still the fill (compared through libc, which is fast for 64 KiB capacities)?
    const bool untouched =
        capacity == 0 || (out[0] == kUntouched && std::memcmp(out.get(), out.get() + 1, capacity - 1) == 0);
    if (untouched) {
        Require(result == 0);
    } else {
        // A whole text and its terminator, inside the buffer.
        Require(keyLength >= 16);
        Require(capacity >= length);
        Require(result < capacity);
        Require(out[result] == '\0');
        Require(std::memchr(out.get(), '\0', result) == nullptr);
    }

    // Any text without a zero byte survives the trip through its stored form.
    if (keyLength >= 16) {
        const std::string value = taskwing::EncryptValue(cipher, text.get(), key.get());
        const std::size_t room = value.size() + 2 * CAesCipher::kBlockSize + 1;
        std::unique_ptr<char[]> back(new char[room]);
        Require(DecryptValue(cipher, value.c_str(), back.get(), room, key.get()) == length);
        Require(std::memcmp(back.get(), text.get(), length + 1) == 0);
    }
    return 0;
}
