// Base64Decode over arbitrary text and capacities. The text and the output sit in heap blocks of
// their exact sizes, so AddressSanitizer sees any read past the terminator or write past the
// capacity.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "crypto/base64.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr unsigned char kUntouched = 0xA5;

// Every byte is value (compared through libc, which is fast for 64 KiB capacities).
bool AllAre(const unsigned char* p, std::size_t n, unsigned char value) {
    return n == 0 || (p[0] == value && std::memcmp(p, p + 1, n - 1) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two bytes of capacity (0: no limit), then the text up to its first NUL.
    if (size < 2) return 0;
    const std::size_t capacity = data[0] | (std::size_t{data[1]} << 8);
    const char* raw = reinterpret_cast<const char*>(data + 2);
    const std::size_t length = strnlen(raw, size - 2);
    std::unique_ptr<char[]> text(new char[length + 1]);
    std::memcpy(text.get(), raw, length);
    text[length] = '\0';

    // Four characters give at most three bytes.
    const std::size_t bound = length / 4 * 3;
    const std::size_t room = capacity != 0 ? capacity : bound;
    std::unique_ptr<unsigned char[]> out(new unsigned char[room]);
    std::memset(out.get(), kUntouched, room);

    const std::ptrdiff_t result = Base64Decode(text.get(), out.get(), capacity);
    Require(result >= -1);
    if (result >= 0) {
        const auto count = static_cast<std::size_t>(result);
        Require(count <= bound);
        Require(capacity == 0 || count <= capacity);
        Require(AllAre(out.get() + count, room - count, kUntouched));
    }

    // A limit that was not reached changes nothing: the same text without one agrees.
    std::unique_ptr<unsigned char[]> whole(new unsigned char[bound]);
    const std::ptrdiff_t unlimited = Base64Decode(text.get(), whole.get(), 0);
    if (result >= 0) {
        Require(unlimited == result);
        Require(std::memcmp(whole.get(), out.get(), static_cast<std::size_t>(result)) == 0);
    }

    // Whatever bytes these are, their encoding reads back to them in full.
    const std::string encoded = taskwing::Base64Encode(data, size);
    std::unique_ptr<unsigned char[]> back(new unsigned char[size]);
    Require(Base64Decode(encoded.c_str(), back.get(), size) == static_cast<std::ptrdiff_t>(size));
    Require(std::memcmp(back.get(), data, size) == 0);
    return 0;
}
