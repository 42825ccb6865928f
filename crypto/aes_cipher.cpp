// The AES forward cipher and counter-mode decryption with the little-endian counter.
#include "crypto/aes_cipher.h"

#include <array>
#include <cstring>

namespace {

// FIPS-197 figure 7, row by row.
constexpr unsigned char kSbox[256] = {
    0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76,
    0xca, 0x82, 0xc9, 0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0,
    0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f, 0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15,
    0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07, 0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75,
    0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3, 0x29, 0xe3, 0x2f, 0x84,
    0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58, 0xcf,
    0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8,
    0x51, 0xa3, 0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2,
    0xcd, 0x0c, 0x13, 0xec, 0x5f, 0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73,
    0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88, 0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb,
    0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac, 0x62, 0x91, 0x95, 0xe4, 0x79,
    0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a, 0xae, 0x08,
    0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a,
    0x70, 0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e,
    0xe1, 0xf8, 0x98, 0x11, 0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf,
    0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42, 0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16,
};

// Round constants x^(i-1) in GF(2^8), in the top byte of the word.
constexpr std::uint32_t kRcon[10] = {0x01000000, 0x02000000, 0x04000000, 0x08000000, 0x10000000,
                                     0x20000000, 0x40000000, 0x80000000, 0x1b000000, 0x36000000};

constexpr std::uint32_t Xtime(std::uint32_t b) { return ((b << 1) ^ ((b & 0x80) ? 0x1b : 0)) & 0xff; }

constexpr std::uint32_t RotateRight(std::uint32_t w, int bits) { return (w >> bits) | (w << (32 - bits)); }

using Table = std::array<std::uint32_t, 256>;

// The round tables fold SubBytes and MixColumns: entry x of table 0 is the column
// (2*S[x], S[x], S[x], 3*S[x]); tables 1 to 3 are the same column rotated one byte further each.
constexpr Table MakeRoundTable(int rotation) {
    Table t{};
    for (int x = 0; x < 256; ++x) {
        const std::uint32_t s = kSbox[x];
        const std::uint32_t s2 = Xtime(s);
        const std::uint32_t column = (s2 << 24) | (s << 16) | (s << 8) | (s2 ^ s);
        t[x] = rotation ? RotateRight(column, 8 * rotation) : column;
    }
    return t;
}

constexpr Table kTe0 = MakeRoundTable(0);
constexpr Table kTe1 = MakeRoundTable(1);
constexpr Table kTe2 = MakeRoundTable(2);
constexpr Table kTe3 = MakeRoundTable(3);

std::uint32_t LoadWord(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void StoreWord(std::uint32_t w, unsigned char* p) {
    p[0] = static_cast<unsigned char>(w >> 24);
    p[1] = static_cast<unsigned char>(w >> 16);
    p[2] = static_cast<unsigned char>(w >> 8);
    p[3] = static_cast<unsigned char>(w);
}

std::uint32_t SubWord(std::uint32_t w) {
    return (std::uint32_t{kSbox[w >> 24]} << 24) | (std::uint32_t{kSbox[(w >> 16) & 0xff]} << 16) |
           (std::uint32_t{kSbox[(w >> 8) & 0xff]} << 8) | kSbox[w & 0xff];
}

}  // namespace

void CAesCipher::MakeKey(const unsigned char* key, std::int32_t length) {
    if (key == nullptr || (length != 16 && length != 24 && length != 32)) return;
    m_nKeyLength = length;
    m_bKeySet = 1;
    m_nRounds = length == 16 ? 10 : length == 24 ? 12 : 14;

    const int nk = length / 4;
    const int total = 4 * (m_nRounds + 1);
    for (int i = 0; i < nk; ++i) m_nRoundKey[i] = LoadWord(key + 4 * i);
    for (int i = nk; i < total; ++i) {
        std::uint32_t temp = m_nRoundKey[i - 1];
        if (i % nk == 0) {
            temp = SubWord(RotateRight(temp, 24)) ^ kRcon[i / nk - 1];
        } else if (nk > 6 && i % nk == 4) {
            temp = SubWord(temp);
        }
        m_nRoundKey[i] = m_nRoundKey[i - nk] ^ temp;
    }
}

void CAesCipher::SetCounter(const unsigned char* block) {
    if (block == nullptr) {
        m_bCounterSet = 0;
        return;
    }
    std::memcpy(m_counterBlock, block, kBlockSize);
    m_bCounterSet = 1;
}

void CAesCipher::EncryptBlock(const unsigned char* in, unsigned char* out) const {
    if (!m_bKeySet || in == nullptr || out == nullptr) return;
    const std::uint32_t* rk = m_nRoundKey;
    std::uint32_t s0 = LoadWord(in) ^ rk[0];
    std::uint32_t s1 = LoadWord(in + 4) ^ rk[1];
    std::uint32_t s2 = LoadWord(in + 8) ^ rk[2];
    std::uint32_t s3 = LoadWord(in + 12) ^ rk[3];

    // Each round: ShiftRows picks the bytes, the tables do SubBytes and MixColumns.
    for (int round = 1; round < m_nRounds; ++round) {
        rk += 4;
        const std::uint32_t t0 =
            kTe0[s0 >> 24] ^ kTe1[(s1 >> 16) & 0xff] ^ kTe2[(s2 >> 8) & 0xff] ^ kTe3[s3 & 0xff] ^ rk[0];
        const std::uint32_t t1 =
            kTe0[s1 >> 24] ^ kTe1[(s2 >> 16) & 0xff] ^ kTe2[(s3 >> 8) & 0xff] ^ kTe3[s0 & 0xff] ^ rk[1];
        const std::uint32_t t2 =
            kTe0[s2 >> 24] ^ kTe1[(s3 >> 16) & 0xff] ^ kTe2[(s0 >> 8) & 0xff] ^ kTe3[s1 & 0xff] ^ rk[2];
        const std::uint32_t t3 =
            kTe0[s3 >> 24] ^ kTe1[(s0 >> 16) & 0xff] ^ kTe2[(s1 >> 8) & 0xff] ^ kTe3[s2 & 0xff] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }

    // The last round has no MixColumns.
    rk += 4;
    const auto last = [](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
        return (std::uint32_t{kSbox[a >> 24]} << 24) | (std::uint32_t{kSbox[(b >> 16) & 0xff]} << 16) |
               (std::uint32_t{kSbox[(c >> 8) & 0xff]} << 8) | kSbox[d & 0xff];
    };
    StoreWord(last(s0, s1, s2, s3) ^ rk[0], out);
    StoreWord(last(s1, s2, s3, s0) ^ rk[1], out + 4);
    StoreWord(last(s2, s3, s0, s1) ^ rk[2], out + 8);
    StoreWord(last(s3, s0, s1, s2) ^ rk[3], out + 12);
}

int CAesCipher::IncrementCounter(unsigned char* block) {
    if (block == nullptr) return 0;
    for (int i = 0; i < kBlockSize; ++i) {
        if (block[i] != 0xff) {
            ++block[i];
            return 1;
        }
        block[i] = 0x00;
    }
    return 0;
}

void CAesCipher::Decrypt(const unsigned char* in, unsigned char* out, std::size_t length) const {
    if (in == nullptr || out == nullptr || !m_bKeySet || length == 0 || length % kBlockSize != 0 || !m_bCounterSet) {
        return;
    }
    unsigned char counter[kBlockSize];
    std::memcpy(counter, m_counterBlock, kBlockSize);
    for (std::size_t offset = 0; offset < length; offset += kBlockSize) {
        // Kept first: when decrypting in place, the output block is the input block.
        unsigned char input[kBlockSize];
        std::memcpy(input, in + offset, kBlockSize);
        EncryptBlock(counter, out + offset);
        for (int i = 0; i < kBlockSize; ++i) out[offset + i] ^= input[i];
        IncrementCounter(counter);  // wrapping to zero after 2^128 blocks cannot happen here
    }
}
