#pragma once
// AES (FIPS-197) forward cipher and counter-mode decryption, the way the service clients'
// "DeviceInfo.ini" values are encrypted: the counter block is incremented little-endian.
#include <cstddef>
#include <cstdint>

class CAesCipher {
public:
    static constexpr int kBlockSize = 16;

    CAesCipher() = default;

    // 16, 24 or 32 key bytes; a null key or any other length changes nothing.
    void MakeKey(const unsigned char* key, std::int32_t length);

    // Stores a copy of the 16-byte initial counter block; null forgets it.
    void SetCounter(const unsigned char* block);

    // One block through the forward cipher. Input and output may be the same block. Without a key
    // the output is left alone.
    void EncryptBlock(const unsigned char* in, unsigned char* out) const;

    // Adds one to the block read as a little-endian 128-bit number (byte 0 first).
    // 1: done. 0: it overflowed and the block is all zero (or the pointer is null).
    static int IncrementCounter(unsigned char* block);

    // Counter mode from the stored initial block, which is never advanced, so every call starts
    // again from it. Does nothing for null pointers, a missing key or counter, or a length that is
    // 0 or not a multiple of 16. Input and output may be the same buffer.
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t length) const;

    bool HasKey() const { return m_bKeySet != 0; }
    bool HasCounter() const { return m_bCounterSet != 0; }

private:
    unsigned char m_bKeySet = 0;
    std::uint32_t m_nRoundKey[60] = {};  // 4 x (rounds + 1) words; 60 for a 256-bit key
    int m_nKeyLength = 0;
    int m_nRounds = 0;
    unsigned char m_bCounterSet = 0;
    unsigned char m_counterBlock[kBlockSize] = {};
};
