// Base64 decoding with the stored values' acceptance rules.
#include "crypto/base64.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/crypto/hex.h"

namespace {

constexpr unsigned char kFill = 0xcc;

struct Decoded {
    std::ptrdiff_t result;
    std::vector<unsigned char> out;  // the whole buffer, untouched bytes still kFill
};

Decoded Decode(const std::string& text, std::size_t capacity = 0, std::size_t room = 64) {
    Decoded d{0, std::vector<unsigned char>(room, kFill)};
    d.result = Base64Decode(text.c_str(), d.out.data(), capacity);
    return d;
}

std::vector<unsigned char> Written(const std::string& bytes, std::size_t room = 64) {
    std::vector<unsigned char> out(bytes.begin(), bytes.end());
    out.resize(room, kFill);
    return out;
}

}  // namespace

TEST(Base64Decode, StandardTextDecodes) {
    // RFC 4648 section 10.
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},         {"Zg==", "f"},         {"Zm8=", "fo"},        {"Zm9v", "foo"},
        {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"}, {"Zm9vYmFy", "foobar"},
    };
    for (const auto& [text, bytes] : vectors) {
        const Decoded d = Decode(text);
        EXPECT_EQ(d.result, static_cast<std::ptrdiff_t>(std::strlen(bytes))) << text;
        EXPECT_EQ(d.out, Written(bytes)) << text;
    }
    // Every character of the alphabet once.
    const Decoded all = Decode("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
    ASSERT_EQ(all.result, 48);
    EXPECT_EQ(std::vector<unsigned char>(all.out.begin(), all.out.begin() + 48),
              FromHex("00108310518720928b30d38f41149351559761969b71d79f"
                      "8218a39259a7a29aabb2dbafc31cb3d35db7e39ebbf3dfbf"));
}

TEST(Base64Decode, LeadingPlusSpaceAndCarriageReturn) {
    EXPECT_EQ(Decode("+ QUJD").result, 3);
    EXPECT_EQ(Decode("+ QUJD").out, Written("ABC"));
    // A plus sign not followed by a space is an alphabet character.
    const Decoded plus = Decode("+/+/");
    EXPECT_EQ(plus.result, 3);
    EXPECT_EQ(plus.out, Written("\xfb\xff\xbf"));
    EXPECT_EQ(Decode("+QUJ").out, Written("\xf9\x05\x09"));
    // Only one "+ " is skipped.
    EXPECT_EQ(Decode("+ + QUJD").result, -1);

    EXPECT_EQ(Decode("\rQUJD").result, 0);
    EXPECT_EQ(Decode("\rQUJD").out, Written(""));
    EXPECT_EQ(Decode("+ \rQUJD").result, 0);
    EXPECT_EQ(Decode("\r").result, 0);
}

TEST(Base64Decode, LineBreaksEndTheTextOnlyAtAGroupStart) {
    EXPECT_EQ(Decode("QUJD\rQUJD").result, 3);
    EXPECT_EQ(Decode("QUJD\r\n").out, Written("ABC"));
    EXPECT_EQ(Decode("QUJD\r\n").result, 3);
    // A line feed is no alphabet character; what came before stays.
    const Decoded lf = Decode("QUJD\nQUJD");
    EXPECT_EQ(lf.result, -1);
    EXPECT_EQ(lf.out, Written("ABC"));
    // Inside a group a carriage return is a bad character.
    const Decoded inside = Decode("QUJDQU\r\n");
    EXPECT_EQ(inside.result, -1);
    EXPECT_EQ(inside.out, Written("ABC"));
}

TEST(Base64Decode, PaddingGroups) {
    // "==" and single "=" end the text, whatever follows.
    const Decoded two = Decode("QQ==QUJD");
    EXPECT_EQ(two.result, 1);
    EXPECT_EQ(two.out, Written("A"));
    const Decoded one = Decode("QUI=QUJD");
    EXPECT_EQ(one.result, 2);
    EXPECT_EQ(one.out, Written("AB"));
    EXPECT_EQ(Decode("QUI=!!").result, 2);
    // A third "=" with a letter behind it gives one byte and decoding goes on.
    const Decoded onward = Decode("QQ=AQUJD");
    EXPECT_EQ(onward.result, 4);
    EXPECT_EQ(onward.out, Written("AABC"));
    // "=" may not stand first or second.
    EXPECT_EQ(Decode("Q=JD").result, -1);
    EXPECT_EQ(Decode("=QJD").result, -1);
    const Decoded late = Decode("QUJD=QUI");
    EXPECT_EQ(late.result, -1);
    EXPECT_EQ(late.out, Written("ABC"));
}

TEST(Base64Decode, BadCharactersStopWithWhatWasWritten) {
    const char* bad[] = {"QU*D", "QUJ-", "QU_D", "QU D", "QUJ\xc3", "\x80QJD", "QUJ\x7f"};
    for (const char* text : bad) {
        const Decoded d = Decode(text);
        EXPECT_EQ(d.result, -1) << text;
        EXPECT_EQ(d.out, Written("")) << text;
    }
    const Decoded later = Decode("Zm9vYmFyQU*D");
    EXPECT_EQ(later.result, -1);
    EXPECT_EQ(later.out, Written("foobar"));
}

TEST(Base64Decode, IncompleteLastGroup) {
    for (const char* text : {"Q", "QU", "QUJ", "QU=", "QUI", "QQ="}) {
        const Decoded d = Decode(text);
        EXPECT_EQ(d.result, -1) << text;
        EXPECT_EQ(d.out, Written("")) << text;
    }
    const Decoded tail = Decode("Zm9vYmFyQU");
    EXPECT_EQ(tail.result, -1);
    EXPECT_EQ(tail.out, Written("foobar"));
}

TEST(Base64Decode, ShortTextsAreNotReadPastTheirEnd) {
    // Each text in a block of exactly its size: AddressSanitizer catches a look beyond the NUL.
    for (const char* text : {"", "Q", "QU", "QUJ", "QU=", "QUI=", "QUJDQ", "+", "+ ", "+ Q"}) {
        const std::size_t size = std::strlen(text) + 1;
        std::unique_ptr<char[]> exact(new char[size]);
        std::memcpy(exact.get(), text, size);
        unsigned char out[8];
        const std::ptrdiff_t result = Base64Decode(exact.get(), out, sizeof out);
        EXPECT_LE(result, 3) << text;
    }
}

TEST(Base64Decode, Capacity) {
    // Exactly met: fine. One byte short: -1, with the bytes that fitted written and no more.
    EXPECT_EQ(Decode("Zm9vYmFy", 6).result, 6);
    const Decoded shortByOne = Decode("Zm9vYmFy", 5);
    EXPECT_EQ(shortByOne.result, -1);
    EXPECT_EQ(shortByOne.out, Written("fooba"));
    EXPECT_EQ(Decode("Zm9vYg==", 4).result, 4);
    const Decoded padded = Decode("Zm9vYg==", 3);
    EXPECT_EQ(padded.result, -1);
    EXPECT_EQ(padded.out, Written("foo"));
    const Decoded first = Decode("Zm9v", 1);
    EXPECT_EQ(first.result, -1);
    EXPECT_EQ(first.out, Written("f"));
    // 0 is no limit.
    EXPECT_EQ(Decode("Zm9vYmFyZm9vYmFy", 0).result, 12);
}

TEST(Base64Decode, NullPointersAreRefused) {
    unsigned char out[4] = {1, 2, 3, 4};
    EXPECT_EQ(Base64Decode(nullptr, out, 4), -1);
    EXPECT_EQ(Base64Decode("QUJD", nullptr, 4), -1);
    EXPECT_EQ(out[0], 1);
}

TEST(Base64Encode, StandardTextAndPadding) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(taskwing::Base64Encode(reinterpret_cast<const unsigned char*>(bytes), std::strlen(bytes)), text);
    }
    const auto all = FromHex("00108310518720928b30d38f41149351559761969b71d79f"
                             "8218a39259a7a29aabb2dbafc31cb3d35db7e39ebbf3dfbf");
    EXPECT_EQ(taskwing::Base64Encode(all.data(), all.size()),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
}
