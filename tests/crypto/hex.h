#pragma once
// Test vectors are written in hex, as the standards print them.
#include <string>
#include <vector>

inline std::vector<unsigned char> FromHex(const std::string& hex) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

inline std::vector<unsigned char> Bytes(const unsigned char* data, std::size_t size) {
    return std::vector<unsigned char>(data, data + size);
}
