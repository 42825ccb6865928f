// The AES cipher against the FIPS-197 vectors, and the counter mode with its little-endian increment.
#include "crypto/aes_cipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/crypto/hex.h"

namespace {

std::vector<unsigned char> Encrypt(const std::string& keyHex, const std::string& inHex) {
    const auto key = FromHex(keyHex);
    const auto in = FromHex(inHex);
    CAesCipher cipher;
    cipher.MakeKey(key.data(), static_cast<std::int32_t>(key.size()));
    std::vector<unsigned char> out(16, 0);
    cipher.EncryptBlock(in.data(), out.data());
    return out;
}

// NIST SP 800-38A, F.5.1 (CTR-AES128).
const char kSpKey[] = "2b7e151628aed2a6abf7158809cf4f3c";
const char kSpCounter[] = "f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff";
const char kSpPlain[] =
    "6bc1bee22e409f96e93d7e117393172a"
    "ae2d8a571e03ac9c9eb76fac45af8e51"
    "30c81c46a35ce411e5fbc1191a0a52ef"
    "f69f2445df4f9b17ad2b417be66c3710";

CAesCipher ReadyCipher(const std::string& keyHex, const std::string& counterHex) {
    const auto key = FromHex(keyHex);
    const auto counter = FromHex(counterHex);
    CAesCipher cipher;
    cipher.MakeKey(key.data(), static_cast<std::int32_t>(key.size()));
    cipher.SetCounter(counter.data());
    return cipher;
}

}  // namespace

TEST(EncryptBlock, MatchesTheStandardsExamples) {
    const char plain[] = "00112233445566778899aabbccddeeff";
    // FIPS-197 appendix C.1 to C.3: 10, 12 and 14 rounds.
    EXPECT_EQ(Encrypt("000102030405060708090a0b0c0d0e0f", plain), FromHex("69c4e0d86a7b0430d8cdb78070b4c55a"));
    EXPECT_EQ(Encrypt("000102030405060708090a0b0c0d0e0f1011121314151617", plain),
              FromHex("dda97ca4864cdfe06eaf70a0ec0d7191"));
    EXPECT_EQ(Encrypt("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", plain),
              FromHex("8ea2b7ca516745bfeafc49904b496089"));
    // FIPS-197 appendix B, the worked example.
    EXPECT_EQ(Encrypt("2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734"),
              FromHex("3925841d02dc09fbdc118597196a0b32"));
}

TEST(EncryptBlock, WorksInPlaceAndLeavesOutputAloneWithoutAKey) {
    const auto key = FromHex("000102030405060708090a0b0c0d0e0f");
    auto block = FromHex("00112233445566778899aabbccddeeff");
    CAesCipher cipher;
    std::vector<unsigned char> out(16, 0x77);
    cipher.EncryptBlock(block.data(), out.data());
    EXPECT_EQ(out, std::vector<unsigned char>(16, 0x77));

    cipher.MakeKey(key.data(), 16);
    cipher.EncryptBlock(block.data(), block.data());
    EXPECT_EQ(block, FromHex("69c4e0d86a7b0430d8cdb78070b4c55a"));
}

TEST(MakeKey, OtherLengthsAndNullChangeNothing) {
    const auto key = FromHex("000102030405060708090a0b0c0d0e0f");
    const auto other = FromHex("ffeeddccbbaa99887766554433221100ffeeddccbbaa99887766554433221100ff");
    const auto in = FromHex("00112233445566778899aabbccddeeff");
    CAesCipher cipher;
    cipher.MakeKey(other.data(), 15);
    EXPECT_FALSE(cipher.HasKey());
    cipher.MakeKey(key.data(), 16);
    for (std::int32_t length : {0, 1, 15, 17, 20, 31, 33, -16}) {
        cipher.MakeKey(other.data(), length);
    }
    cipher.MakeKey(nullptr, 16);
    std::vector<unsigned char> out(16);
    cipher.EncryptBlock(in.data(), out.data());
    EXPECT_EQ(out, FromHex("69c4e0d86a7b0430d8cdb78070b4c55a"));
}

TEST(IncrementCounter, CarriesFromByteZeroUpwards) {
    auto block = FromHex("ff000000000000000000000000000000");
    EXPECT_EQ(CAesCipher::IncrementCounter(block.data()), 1);
    EXPECT_EQ(block, FromHex("00010000000000000000000000000000"));

    block = FromHex("00000000000000000000000000000000");
    EXPECT_EQ(CAesCipher::IncrementCounter(block.data()), 1);
    EXPECT_EQ(block, FromHex("01000000000000000000000000000000"));

    // Byte 15 is the most significant: it moves only when all below it carry.
    block = FromHex("ffffffffffffffffffffffffffffff7f");
    EXPECT_EQ(CAesCipher::IncrementCounter(block.data()), 1);
    EXPECT_EQ(block, FromHex("00000000000000000000000000000080"));

    block = FromHex("fffffffffffffffffffffffffffffffe");
    EXPECT_EQ(CAesCipher::IncrementCounter(block.data()), 1);
    EXPECT_EQ(block, FromHex("000000000000000000000000000000ff"));
}

TEST(IncrementCounter, SixteenFfBytesOverflowToZero) {
    std::vector<unsigned char> block(16, 0xff);
    EXPECT_EQ(CAesCipher::IncrementCounter(block.data()), 0);
    EXPECT_EQ(block, std::vector<unsigned char>(16, 0x00));
}

// The first block is the standard's; the later ones use the little-endian increment, their key
// stream computed with "openssl enc -aes-128-ecb -nopad" on counters f1f1f2..ff, f2f1f2..ff, f3f1f2..ff.
TEST(Decrypt, CounterModeWithTheLittleEndianIncrement) {
    const CAesCipher cipher = ReadyCipher(kSpKey, kSpCounter);
    const auto plain = FromHex(kSpPlain);
    std::vector<unsigned char> out(64, 0);
    cipher.Decrypt(plain.data(), out.data(), out.size());
    EXPECT_EQ(out, FromHex("874d6191b620e3261bef6864990db6ce"
                           "40942591d7b44f49abc19d33a44ef654"
                           "ce58d2f0018f92a25f2cbb66138b9d76"
                           "30fa4a40b1672ef346b79a7cba910ba2"));

    // And back: counter mode is its own inverse.
    std::vector<unsigned char> back(64, 0);
    cipher.Decrypt(out.data(), back.data(), back.size());
    EXPECT_EQ(back, plain);
}

TEST(Decrypt, CarryAndWrapOfTheCounterBetweenBlocks) {
    // Zeros in: the key stream out. ffff00.. is followed by 000001..; sixteen ff by all zeros.
    const std::vector<unsigned char> zeros(32, 0);
    std::vector<unsigned char> out(32);
    ReadyCipher(kSpKey, "ffff0000000000000000000000000000").Decrypt(zeros.data(), out.data(), 32);
    EXPECT_EQ(out, FromHex("9b09070b8dfdf20132ff654e34d9821d33d78c7ca12063f7fc1bf957cbe12bcc"));

    ReadyCipher(kSpKey, "ffffffffffffffffffffffffffffffff").Decrypt(zeros.data(), out.data(), 32);
    EXPECT_EQ(out, FromHex("8af2860142f786f409307c1a3f7eaaac7df76b0c1ab899b33e42f047b91b546f"));
}

TEST(Decrypt, EveryCallStartsFromTheStoredCounterAndInPlaceWorks) {
    const CAesCipher cipher = ReadyCipher(kSpKey, kSpCounter);
    const auto plain = FromHex(kSpPlain);
    std::vector<unsigned char> first(32), second(32);
    cipher.Decrypt(plain.data(), first.data(), 32);
    cipher.Decrypt(plain.data(), second.data(), 32);
    EXPECT_EQ(first, second);

    auto buffer = plain;
    cipher.Decrypt(buffer.data(), buffer.data(), buffer.size());
    EXPECT_EQ(buffer, FromHex("874d6191b620e3261bef6864990db6ce"
                              "40942591d7b44f49abc19d33a44ef654"
                              "ce58d2f0018f92a25f2cbb66138b9d76"
                              "30fa4a40b1672ef346b79a7cba910ba2"));
}

TEST(Decrypt, RefusedCallsLeaveTheOutputAlone) {
    const auto plain = FromHex(kSpPlain);
    const std::vector<unsigned char> untouched(64, 0x5a);
    auto out = untouched;

    CAesCipher ready = ReadyCipher(kSpKey, kSpCounter);
    for (std::size_t length : {std::size_t{0}, std::size_t{15}, std::size_t{17}, std::size_t{40}}) {
        ready.Decrypt(plain.data(), out.data(), length);
        EXPECT_EQ(out, untouched) << "length " << length;
    }
    ready.Decrypt(nullptr, out.data(), 16);
    ready.Decrypt(plain.data(), nullptr, 16);
    EXPECT_EQ(out, untouched);

    const auto key = FromHex(kSpKey);
    const auto counter = FromHex(kSpCounter);
    CAesCipher noKey;
    noKey.SetCounter(counter.data());
    noKey.Decrypt(plain.data(), out.data(), 16);
    EXPECT_EQ(out, untouched);

    CAesCipher noCounter;
    noCounter.MakeKey(key.data(), 16);
    noCounter.Decrypt(plain.data(), out.data(), 16);
    EXPECT_EQ(out, untouched);

    // A cleared counter counts as none.
    ready.SetCounter(nullptr);
    EXPECT_FALSE(ready.HasCounter());
    ready.Decrypt(plain.data(), out.data(), 16);
    EXPECT_EQ(out, untouched);
}
