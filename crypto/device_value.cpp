// The stored device value: base64 text decrypted to the device type's text, and the way back.
#include "crypto/device_value.h"

#include <cstring>
#include <memory>
#include <new>

#include "crypto/base64.h"

namespace {

constexpr std::size_t kKeyBytes = 16;
constexpr std::size_t kBlock = CAesCipher::kBlockSize;

// The key is the first 16 bytes of the key string; a shorter string would be read past its end.
bool KeyIsUsable(const char* key) {
    if (key == nullptr) return false;
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        if (key[i] == '\0') return false;
    }
    return true;
}

// Key and counter are set afresh on every call, so nothing carries over between values.
void PrepareCipher(CAesCipher& cipher, const char* key) {
    cipher.MakeKey(reinterpret_cast<const unsigned char*>(key), static_cast<std::int32_t>(kKeyBytes));
    unsigned char counter[kBlock];
    std::memcpy(counter, taskwing::kDeviceValueCounter, kBlock);
    cipher.SetCounter(counter);
}

}  // namespace

std::size_t DecryptValue(CAesCipher& cipher, const char* text, char* output, std::size_t capacity,
                         const char* key) {
    if (text == nullptr || output == nullptr || !KeyIsUsable(key)) return 0;
    PrepareCipher(cipher, key);

    // m: the most bytes the text can decode to; L: that in whole blocks. m is at most three
    // quarters of the largest size, so rounding it up cannot wrap.
    const std::size_t n = std::strlen(text);
    const std::size_t m = n / 4 * 3;
    const std::size_t blocks = m / kBlock + (m % kBlock != 0 ? 1 : 0);
    const std::size_t l = blocks * kBlock;

    // Room for the L decrypted bytes and a terminating zero, or the output stays as it was.
    if (capacity < n || capacity <= l) return 0;

    std::unique_ptr<unsigned char[]> work;
    if (l != 0) {
        work.reset(new (std::nothrow) unsigned char[l]());
        if (!work) return 0;
        // The result does not matter: what decoded is decrypted, zeros stand behind it.
        // (With m == 0 the decoder is not called at all: a capacity of 0 would mean no limit.)
        Base64Decode(text, work.get(), m);
    }

    std::memset(output, 0, capacity);
    if (l != 0) cipher.Decrypt(work.get(), reinterpret_cast<unsigned char*>(output), l);
    return std::strlen(output);  // output[l] is zero
}

namespace taskwing {

std::string EncryptValue(CAesCipher& cipher, const char* text, const char* key) {
    if (text == nullptr || !KeyIsUsable(key)) return {};
    PrepareCipher(cipher, key);
    const std::size_t length = std::strlen(text);
    const std::size_t size = (length / kBlock + 1) * kBlock;
    std::unique_ptr<unsigned char[]> block(new unsigned char[size]());
    std::memcpy(block.get(), text, length);
    // Counter mode is its own inverse.
    cipher.Decrypt(block.get(), block.get(), size);
    return Base64Encode(block.get(), size);
}

}  // namespace taskwing
