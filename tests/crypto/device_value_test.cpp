// Stored device values decrypted and made again.
#include "crypto/device_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/crypto/hex.h"

using taskwing::EncryptValue;
using taskwing::kDeviceValueKey;

namespace {

constexpr char kFill = 0x5a;

// Written with "openssl enc -aes-128-ctr" (key "mervalt7731dunso", counter "NTaskwingDevInfo") over
// the text padded with zeros to 16 bytes: "1", "2" and "5".
const char kValueOf1[] = "/WmxdbaOAM7D2qKmClX1Bg==";
const char kValueOf2[] = "/mmxdbaOAM7D2qKmClX1Bg==";
const char kValueOf5[] = "+WmxdbaOAM7D2qKmClX1Bg==";
// 40 characters and 8 zero bytes in three blocks; its key stream came from
// "openssl enc -aes-128-ecb -nopad" on the counters 4e5461.., 4f5461.. and 505461...
const char kLongText[] = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
const char kValueOfLongText[] = "/FiDRoK7Nvn748PEaTGQYDmeBKJ46B86WdR8rRMisAmyYp5IfYcCD5nTs7ly8ulN";
// Key stream of the second block: what a block of zeros decrypts to.
const char kSecondKeyStream[] = "5ef66dc81384725436a40ddf6056c57f";

struct Result {
    std::size_t length;
    std::vector<char> out;
};

Result Decrypt(const char* value, std::size_t capacity, const char* key = kDeviceValueKey) {
    CAesCipher cipher;
    Result r{0, std::vector<char>(capacity, kFill)};
    r.length = DecryptValue(cipher, value, r.out.data(), capacity, key);
    return r;
}

bool Untouched(const std::vector<char>& out) {
    for (char c : out) {
        if (c != kFill) return false;
    }
    return true;
}

std::vector<unsigned char> Slice(const std::vector<char>& out, std::size_t from, std::size_t to) {
    return std::vector<unsigned char>(out.begin() + from, out.begin() + to);
}

}  // namespace

TEST(DecryptValue, KnownValuesGiveTheirDeviceTypes) {
    for (const auto& [value, text] : {std::pair{kValueOf1, "1"}, {kValueOf2, "2"}, {kValueOf5, "5"}}) {
        const Result r = Decrypt(value, 1024);
        EXPECT_EQ(r.length, 1u) << value;
        EXPECT_STREQ(r.out.data(), text) << value;
    }
    const Result r = Decrypt(kValueOfLongText, 1024);
    EXPECT_EQ(r.length, 40u);
    EXPECT_STREQ(r.out.data(), kLongText);
}

TEST(DecryptValue, EmptyValueGivesAnAllZeroBuffer) {
    const Result r = Decrypt("", 64);
    EXPECT_EQ(r.length, 0u);
    EXPECT_EQ(r.out, std::vector<char>(64, 0));
}

TEST(DecryptValue, TwentyFourCharactersDecryptTwoBlocksTheSecondFromZeros) {
    // 16 bytes decode, m = 18, so two blocks: the second decrypts zeros to bare key stream.
    const Result r = Decrypt(kValueOf1, 48);
    EXPECT_EQ(r.length, 1u);
    EXPECT_EQ(Slice(r.out, 0, 16), FromHex("31000000000000000000000000000000"));
    EXPECT_EQ(Slice(r.out, 16, 32), FromHex(kSecondKeyStream));
    EXPECT_EQ(Slice(r.out, 32, 48), std::vector<unsigned char>(16, 0));
}

TEST(DecryptValue, IncompleteOrBrokenBase64DecryptsWhatDecoded) {
    // A trailing partial group ends decoding; the full groups before it count.
    for (const std::string& value : {std::string(kValueOf1) + "QQ", std::string(kValueOf1, 21),
                                    std::string(kValueOf1, 22), std::string(kValueOf1, 23)}) {
        const Result r = Decrypt(value.c_str(), 64);
        EXPECT_EQ(r.length, 1u) << value;
        EXPECT_EQ(r.out[0], '1') << value;
    }
    // 20 characters: 15 bytes decode into one block whose last byte stays zero.
    const Result cut = Decrypt(std::string(kValueOf1, 20).c_str(), 64);
    EXPECT_EQ(cut.length, 1u);
    EXPECT_EQ(Slice(cut.out, 16, 64), std::vector<unsigned char>(48, 0));
    // A bad character in the second group: the first three bytes are decrypted, zeros behind them.
    const Result broken = Decrypt("/WmxdbaO*M7D2qKmClX1Bg==", 64);
    EXPECT_EQ(broken.length, 1u);
    EXPECT_EQ(broken.out[0], '1');
}

TEST(DecryptValue, TooSmallOutputIsLeftUntouched) {
    // n = 24, L = 32: the output must hold more than 32 bytes.
    EXPECT_EQ(Decrypt(kValueOf1, 32).length, 0u);
    EXPECT_TRUE(Untouched(Decrypt(kValueOf1, 32).out));
    EXPECT_TRUE(Untouched(Decrypt(kValueOf1, 1).out));
    EXPECT_EQ(Decrypt(kValueOf1, 33).length, 1u);

    // n = 64, L = 48: here the value's own length is the larger limit.
    const Result below = Decrypt(kValueOfLongText, 63);
    EXPECT_EQ(below.length, 0u);
    EXPECT_TRUE(Untouched(below.out));
    const Result met = Decrypt(kValueOfLongText, 64);
    EXPECT_EQ(met.length, 40u);
    EXPECT_EQ(Slice(met.out, 48, 64), std::vector<unsigned char>(16, 0));

    // Even an empty value needs room for its terminator.
    EXPECT_EQ(Decrypt("", 0).length, 0u);
    EXPECT_EQ(Decrypt("QUJD", 16).length, 0u);
    EXPECT_TRUE(Untouched(Decrypt("QUJD", 16).out));
    EXPECT_FALSE(Untouched(Decrypt("QUJD", 17).out));
}

TEST(DecryptValue, OnlyTheFirstSixteenKeyBytesCount) {
    EXPECT_STREQ(Decrypt(kValueOf1, 64, "mervalt7731dunsoXY").out.data(), "1");
    EXPECT_STREQ(Decrypt(kValueOf1, 64, "mervalt7731dunso").out.data(), "1");
    EXPECT_STRNE(Decrypt(kValueOf1, 64, "Mervalt7731dunsoke").out.data(), "1");
}

TEST(DecryptValue, NothingCarriesOverBetweenCalls) {
    CAesCipher cipher;
    std::vector<char> first(64), second(64);
    DecryptValue(cipher, kValueOf5, first.data(), first.size(), kDeviceValueKey);
    // Another key and counter in between are replaced by the next call.
    const auto otherKey = FromHex("000102030405060708090a0b0c0d0e0f");
    cipher.MakeKey(otherKey.data(), 16);
    cipher.SetCounter(otherKey.data());
    DecryptValue(cipher, kValueOf5, second.data(), second.size(), kDeviceValueKey);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second.data(), "5");
    EXPECT_TRUE(cipher.HasKey());
    EXPECT_TRUE(cipher.HasCounter());
}

TEST(DecryptValue, NullPointersAndShortKeysAreRefusedUntouched) {
    CAesCipher cipher;
    std::vector<char> out(64, kFill);
    EXPECT_EQ(DecryptValue(cipher, nullptr, out.data(), out.size(), kDeviceValueKey), 0u);
    EXPECT_EQ(DecryptValue(cipher, kValueOf1, nullptr, 64, kDeviceValueKey), 0u);
    EXPECT_EQ(DecryptValue(cipher, kValueOf1, out.data(), out.size(), nullptr), 0u);
    EXPECT_TRUE(Untouched(out));

    // Fifteen key characters in a block of exactly their size: nothing may be read beyond it.
    for (const char* key : {"", "m", "mervalt7731duns"}) {
        const std::size_t size = std::strlen(key) + 1;
        std::unique_ptr<char[]> exact(new char[size]);
        std::memcpy(exact.get(), key, size);
        EXPECT_EQ(DecryptValue(cipher, kValueOf1, out.data(), out.size(), exact.get()), 0u) << key;
        EXPECT_TRUE(Untouched(out)) << key;
    }
}

TEST(EncryptValue, MatchesTheIndependentlyMadeValues) {
    CAesCipher cipher;
    EXPECT_EQ(EncryptValue(cipher, "1", kDeviceValueKey), kValueOf1);
    EXPECT_EQ(EncryptValue(cipher, "5", kDeviceValueKey), kValueOf5);
    EXPECT_EQ(EncryptValue(cipher, kLongText, kDeviceValueKey), kValueOfLongText);
    // A text of whole blocks still gets a zero byte behind it: one more block.
    EXPECT_EQ(EncryptValue(cipher, "0123456789abcdef", kDeviceValueKey).size(), 44u);
    EXPECT_EQ(EncryptValue(cipher, "1", "short"), "");
    EXPECT_EQ(EncryptValue(cipher, nullptr, kDeviceValueKey), "");
}

TEST(EncryptValue, RoundTripsThroughDecryptValue) {
    std::string longest;
    for (int i = 0; i < 254; ++i) longest += static_cast<char>('!' + i % 94);
    const std::string texts[] = {"1", "2", "5", "0123456789abcdef", "设备", longest};
    for (const std::string& text : texts) {
        CAesCipher cipher;
        const std::string value = EncryptValue(cipher, text.c_str(), kDeviceValueKey);
        std::vector<char> out(1024, 0);
        EXPECT_EQ(DecryptValue(cipher, value.c_str(), out.data(), out.size(), kDeviceValueKey), text.size());
        EXPECT_STREQ(out.data(), text.c_str());
    }
}
