#pragma once
// The device type that the service clients store in "DeviceInfo.ini": base64 text of the
// device-type text encrypted with AES-128 in counter mode (counter incremented little-endian).
#include <cstddef>
#include <string>

#include "crypto/aes_cipher.h"

namespace taskwing {

// The key string; only its first 16 bytes are the AES-128 key.
inline constexpr char kDeviceValueKey[] = "mervalt7731dunsoke";

// The initial counter block of every value ("NTaskwingDevInfo" in ASCII). Changing it makes every
// existing "DeviceInfo.ini" unreadable.
inline constexpr unsigned char kDeviceValueCounter[CAesCipher::kBlockSize] = {
    0x4e, 0x54, 0x61, 0x73, 0x6b, 0x77, 0x69, 0x6e, 0x67, 0x44, 0x65, 0x76, 0x49, 0x6e, 0x66, 0x6f};

// The value that DecryptValue turns back into text: the text up to its NUL, followed by zero bytes
// up to whole 16-byte blocks (at least one, which ends the text), encrypted and base64-encoded.
// Empty for a null text or a null key or one shorter than 16 bytes.
std::string EncryptValue(CAesCipher& cipher, const char* text, const char* key);

}  // namespace taskwing

// Decrypts a stored value into output, which ends up holding the text and a terminating zero.
// Returns the length of that text, or 0 when output is too small for the value (capacity below
// the value's length, or not above its decoded length rounded up to whole blocks), in which case
// output is not touched; likewise for null pointers and a key string shorter than 16 bytes.
// Invalid base64 is decrypted as far as it decoded; a wrong key gives meaningless text.
std::size_t DecryptValue(CAesCipher& cipher, const char* text, char* output, std::size_t capacity,
                         const char* key);
