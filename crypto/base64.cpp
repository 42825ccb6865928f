// Base64 decoding and encoding of the stored device values.
#include "crypto/base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each byte in the alphabet, -1 elsewhere (so bytes of 0x80 and above never count).
constexpr std::array<signed char, 256> MakeDecodeTable() {
    std::array<signed char, 256> table{};
    for (auto& v : table) v = -1;
    for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    return table;
}

constexpr std::array<signed char, 256> kDecode = MakeDecodeTable();

}  // namespace

std::ptrdiff_t Base64Decode(const char* text, unsigned char* output, std::size_t capacity) {
    if (text == nullptr || output == nullptr) return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    if (p[0] == '+' && p[1] == ' ') p += 2;
    if (*p == '\r') return 0;

    std::size_t written = 0;
    const auto put = [&](unsigned int byte) {
        if (capacity != 0 && written >= capacity) return false;
        output[written++] = static_cast<unsigned char>(byte);
        return true;
    };

    for (;;) {
        if (*p == '\0' || *p == '\r') break;
        // The characters are looked at one by one, each only after the one before it proved not to
        // be the terminator, so a short last group never reads past the end of the text.
        const int a = kDecode[p[0]];
        if (a < 0) return -1;
        const int b = kDecode[p[1]];
        if (b < 0) return -1;
        const bool thirdPad = p[2] == '=';
        const int c = thirdPad ? 0 : kDecode[p[2]];
        if (c < 0) return -1;
        const bool fourthPad = p[3] == '=';
        const int d = fourthPad ? 0 : kDecode[p[3]];
        if (d < 0) return -1;

        if (!put((a << 2) | (b >> 4))) return -1;
        if (!thirdPad && !put(((b & 0x0f) << 4) | (c >> 2))) return -1;
        if (!thirdPad && !fourthPad && !put(((c & 0x03) << 6) | d)) return -1;
        p += 4;
        if (fourthPad) break;  // padding ends the text; "x=" followed by a letter does not
    }
    return static_cast<std::ptrdiff_t>(written);
}

namespace taskwing {

std::string Base64Encode(const unsigned char* data, std::size_t size) {
    std::string text;
    if (data == nullptr) return text;
    text.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const std::size_t left = size - i;
        const unsigned int group = (static_cast<unsigned int>(data[i]) << 16) |
                                   (left > 1 ? static_cast<unsigned int>(data[i + 1]) << 8 : 0u) |
                                   (left > 2 ? data[i + 2] : 0u);
        text += kAlphabet[(group >> 18) & 0x3f];
        text += kAlphabet[(group >> 12) & 0x3f];
        text += left > 1 ? kAlphabet[(group >> 6) & 0x3f] : '=';
        text += left > 2 ? kAlphabet[group & 0x3f] : '=';
    }
    return text;
}

}  // namespace taskwing
