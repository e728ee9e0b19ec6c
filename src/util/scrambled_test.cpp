// Tests of the scrambled-text decoders and of the builder's encoders that must
// stay their exact inverse.
#include "util/scrambled.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "scramble_encode.h"

using namespace std::string_literals;

namespace {

// A failed header field decodes to the decimal text of a number in 0..99998.
void ExpectFailureText(const std::string& text) {
  ASSERT_FALSE(text.empty());
  ASSERT_LE(text.size(), 5u) << text;
  for (char c : text) {
    ASSERT_TRUE(c >= '0' && c <= '9') << text;
  }
  EXPECT_LT(std::stoi(text), 99999) << text;
}

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

}  // namespace

TEST(ParseRadix, ReadsDigitsWithOutOfAlphabetAsMinusOne) {
  struct Case {
    const char* text;
    int radix;
    int64_t value;
  };
  const Case cases[] = {
      {"", 16, 0},
      {"0x1F", 16, -256 + 16 + 15},  // ParseRadix itself keeps the "0x": X is -1
      {"ff", 16, 255},
      {"  7b\t", 16, 123},
      {"1G", 16, 15},
      {"G", 16, -1},
      {"19", 8, 17},  // a digit may exceed the radix
      {"101", 2, 5},
      {"-5", 10, -10 + 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseRadix(c.text, c.radix), c.value) << c.text << " radix " << c.radix;
  }
}

TEST(ParseRadix, WrapsLikeSigned64BitWithoutOverflowFaults) {
  EXPECT_EQ(ParseRadix("FFFFFFFFFFFFFFFF", 16), -1);
  EXPECT_EQ(ParseRadix("8000000000000000", 16), INT64_MIN);
  // Far more digits than 64 bits hold; the reading must still be defined.
  EXPECT_EQ(ParseRadix(std::string(40, 'F'), 16), -1);
  EXPECT_EQ(ParseRadix("1" + std::string(16, '0'), 16), 0);
}

TEST(HexToInt64, DropsLeadingHexPrefixInAnyCase) {
  struct Case {
    const char* text;
    int64_t value;
  };
  const Case cases[] = {
      {"0x1F", 31}, {"0X1f", 31}, {"1F", 31}, {"1G", 15}, {"", 0}, {"0x", 0}, {"00", 0},
      {"7FFFFFFFFFFFFFFF", INT64_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexToInt64(c.text), c.value) << c.text;
  }
}

TEST(ScrambleText, PassesUnmarkedTextThrough) {
  for (const std::string& text : {""s, "Hello"s, "scrambled=01xabc"s, " Scrambled=01xabc"s,
                                 "Scrambled=0"s, "\xff\x00Z"s}) {
    EXPECT_EQ(ScrambleText(text), text);
  }
}

TEST(ScrambleText, ThreeByteBodyUsesAlternatingKeyBytes) {
  // Zero plain bytes show the key sequence itself: 1+40, 2-40 mod 256, 3+40.
  const std::string stored = "Scrambled=01(\x29\xDA\x2B"s;
  EXPECT_EQ(EncodeScrambledText("\0\0\0"s, 40), stored);
  EXPECT_EQ(ScrambleText(stored), "\0\0\0"s);
  EXPECT_EQ(ScrambleText("Scrambled=01(\x48\xB8\x48"s), "abc");
}

TEST(ScrambleText, RoundTripsEveryBuilderKey) {
  const std::string plain = "Version 2.1<P>Neue Fassung: \xe4\xf6\xfc\n" + AllBytes() + AllBytes();
  for (int key = 33; key <= 122; ++key) {
    const std::string stored = EncodeScrambledText(plain, key);
    ASSERT_EQ(stored.size(), plain.size() + 13) << key;
    EXPECT_EQ(stored.substr(0, 12), "Scrambled=01");
    EXPECT_EQ(static_cast<unsigned char>(stored[12]), key);
    EXPECT_EQ(ScrambleText(stored), plain) << key;
  }
}

TEST(ScrambleText, MarkerOnlyForms) {
  EXPECT_EQ(ScrambleText("Scrambled=01A"), "");
  // A bare marker has no key character: it is transformed with a random key,
  // and every key from 33 to 122 changes its first byte.
  const std::string bare = ScrambleText("Scrambled=01");
  EXPECT_EQ(bare.size(), 12u);
  EXPECT_NE(bare, "Scrambled=01");
}

TEST(EncodeScrambledText, RejectsKeysOutsidePrintableRange) {
  EXPECT_THROW(EncodeScrambledText("x", 32), std::invalid_argument);
  EXPECT_THROW(EncodeScrambledText("x", 123), std::invalid_argument);
}

TEST(DecodeHeaderField, DecodesHandComputedField) {
  // Payload "Hi", keys A = 0x12 and B = 0x34, lead filler 0x55, tail filler
  // 0x66 plus the checksum. Bytes before masking: 12 01 02 55 48 69 66 __ 34;
  // masked with 0x26: 12 27 24 73 6E 4F 40 __ 34; checksum = sum of the other
  // eight = 0x201 -> 0x01; each hex digit stored 50 codes higher.
  const std::string stored = "cddidfiehwfxfbbcef";
  EXPECT_EQ(DecodeHeaderFieldChecked(stored), "Hi");
  EXPECT_EQ(DecodeHeaderField(stored), "Hi");
  EXPECT_EQ(EncodeHeaderField("Hi", 0x12, 0x34, "\x55", "\x66"), stored);
}

TEST(DecodeHeaderField, RejectsShortAndDamagedFields) {
  const std::string good = "cddidfiehwfxfbbcef";
  std::string bad_checksum = good;
  bad_checksum[15] = 'd';  // checksum 01 -> 02
  std::string bad_payload = good;
  bad_payload[9] = 'v';  // a payload byte changes, the checksum no longer fits
  const std::string cases[] = {
      "",
      "cddidfie",  // 8 characters: 4 bytes are too few
      good.substr(0, 16),
      bad_checksum,
      bad_payload,
  };
  for (const std::string& stored : cases) {
    EXPECT_EQ(DecodeHeaderFieldChecked(stored), std::nullopt) << stored;
    ExpectFailureText(DecodeHeaderField(stored));
  }
}

TEST(DecodeHeaderField, LengthsBeyondTheFieldGiveEmptyPayload) {
  // Keys 0, L = 5 and T = 5 in a field of only 5 bytes: 00 05 05 0A 00 with a
  // valid checksum. Not a failure, and nothing may be read past the end.
  EXPECT_EQ(DecodeHeaderFieldChecked("bbbgbgbsbb"), "");
}

TEST(EncodeHeaderField, RoundTripsPayloadsAndLayouts) {
  struct Case {
    std::string payload;
    uint8_t key_a;
    uint8_t key_b;
    std::string lead;
    std::string tail;
  };
  const Case cases[] = {
      {"", 0x00, 0x00, "", ""},
      {"", 0xFF, 0x01, "abc", "xy"},
      {"PRODUCT-TOKEN-42", 0x5A, 0x5A, "\x01", ""},
      {AllBytes(), 0x80, 0x7F, std::string(255, '\xff'), std::string(254, '\0')},
      {"\x80\x81\xfe\xff"s, 0xC3, 0x3C, "\0"s, "\xaa"},
  };
  for (const Case& c : cases) {
    const std::string stored = EncodeHeaderField(c.payload, c.key_a, c.key_b, c.lead, c.tail);
    EXPECT_EQ(stored.size(), 2 * (c.payload.size() + c.lead.size() + c.tail.size() + 5));
    EXPECT_EQ(DecodeHeaderFieldChecked(stored), c.payload);
    EXPECT_TRUE(TokensMatch(stored, stored));
  }
  EXPECT_THROW(EncodeHeaderField("x", 1, 2, std::string(256, 'a'), ""), std::invalid_argument);
  EXPECT_THROW(EncodeHeaderField("x", 1, 2, "", std::string(255, 'a')), std::invalid_argument);
}

TEST(EncodeHeaderField, RandomLayoutsDecodeAndDiffer) {
  std::mt19937 random(12345);
  const std::string payloads[] = {"", "a", "Veldrana Dunvex 5.0", AllBytes()};
  for (const std::string& payload : payloads) {
    std::set<std::string> forms;
    for (int i = 0; i < 50; ++i) {
      const std::string stored = EncodeHeaderFieldRandom(payload, random);
      EXPECT_EQ(DecodeHeaderFieldChecked(stored), payload);
      forms.insert(stored);
    }
    EXPECT_GT(forms.size(), 40u);
  }
}

TEST(TokensMatch, OnlyEqualDecodedPayloadsMatch) {
  std::mt19937 random(7);
  const std::string token = EncodeHeaderFieldRandom("TOKEN-1", random);
  const std::string same_token = EncodeHeaderFieldRandom("TOKEN-1", random);
  const std::string other_token = EncodeHeaderFieldRandom("TOKEN-2", random);
  const std::string broken = "cddidfie";
  std::string damaged = token;
  damaged[damaged.size() - 3] ^= 1;

  EXPECT_TRUE(TokensMatch(token, same_token));
  EXPECT_FALSE(TokensMatch(token, other_token));
  EXPECT_FALSE(TokensMatch(token, damaged));
  EXPECT_FALSE(TokensMatch(damaged, token));
  EXPECT_FALSE(TokensMatch(broken, broken));
  EXPECT_FALSE(TokensMatch(broken, damaged));
  EXPECT_FALSE(TokensMatch("", ""));
}

TEST(DecodeHeaderField, FailureTextsDoNotRepeat) {
  // Failures in quick succession must not share a text: equal texts made two
  // broken tokens look like the same product.
  std::set<std::string> texts;
  for (int i = 0; i < 20; ++i) {
    const std::string text = DecodeHeaderField("cddidfie");
    ExpectFailureText(text);
    texts.insert(text);
  }
  EXPECT_GT(texts.size(), 15u);
}
