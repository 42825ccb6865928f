#pragma once
// Base64 (RFC 4648 alphabet, "=" padding) with the acceptance rules of the stored device values.
#include <cstddef>
#include <string>

// Decodes NUL-terminated text into output, one group of four characters at a time. A leading
// "+ " is skipped; a carriage return at the start of a group ends the text; so does a group
// whose last character is "=". capacity 0 means no limit.
// Returns the number of bytes written, or -1 when a character outside the alphabet, an incomplete
// group or the capacity stops it (bytes already written stay in the output). Null pointers: -1.
std::ptrdiff_t Base64Decode(const char* text, unsigned char* output, std::size_t capacity);

namespace taskwing {

// Standard base64 with "=" padding; what Base64Decode reads back.
std::string Base64Encode(const unsigned char* data, std::size_t size);

}  // namespace taskwing
