// Moving PE headers on small synthetic images.
#include "pe_header.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// An image as GNU ld lays it out: DOS header and stub, PE header at 0x80,
// `sections` section headers, the first section's data at `first_raw`.
std::vector<uint8_t> Image(uint16_t sections, uint32_t first_raw) {
  std::vector<uint8_t> b(first_raw + 512, 0);
  b[0] = 'M';
  b[1] = 'Z';
  b[0x3C] = 0x80;
  for (size_t i = 0x40; i < 0x80; ++i) b[i] = uint8_t(0xA0 + i);  // DOS stub program
  std::memcpy(&b[0x80], "PE\0\0", 4);
  b[0x84] = 0x4C;
  b[0x85] = 0x01;
  b[0x86] = uint8_t(sections);
  b[0x94] = 224;  // optional header size
  const size_t optional = 0x80 + 24;
  b[optional + 60] = uint8_t(first_raw);
  b[optional + 61] = uint8_t(first_raw >> 8);
  for (size_t i = 0; i < sections; ++i) {
    const size_t s = optional + 224 + i * 40;
    b[s] = uint8_t('a' + i);
    b[s + 16] = 0x10;  // raw size
    b[s + 20] = uint8_t(first_raw);
    b[s + 21] = uint8_t(first_raw >> 8);
  }
  return b;
}

}  // namespace

TEST(MovePeHeader, MovesHeadersToOffset256AndFreesTheEndOffsetBytes) {
  std::vector<uint8_t> image = Image(9, 0x400);
  const std::vector<uint8_t> before = image;
  const size_t length = 24 + 224 + 9 * 40;
  std::string error;
  ASSERT_TRUE(pe_header::MovePeHeader(image, error)) << error;
  EXPECT_EQ(image[0x3C], 0);
  EXPECT_EQ(image[0x3D], 1);  // e_lfanew = 256
  EXPECT_TRUE(std::equal(before.begin() + 0x80, before.begin() + 0x80 + length, image.begin() + 256));
  EXPECT_TRUE(std::equal(before.begin() + 0x40, before.begin() + 0x80, image.begin() + 0x40));
  for (size_t i = 0x80; i < 256; ++i) ASSERT_EQ(image[i], 0) << i;
  for (size_t i = 256 + length; i < 0x400; ++i) ASSERT_EQ(image[i], 0) << i;
  EXPECT_TRUE(std::equal(before.begin() + 0x400, before.end(), image.begin() + 0x400));
}

TEST(MovePeHeader, RefusesWhatItCannotMove) {
  struct Case {
    const char* what;
    std::vector<uint8_t> image;
    const char* error_start;
  } cases[] = {
      {"no room before the first section", Image(9, 0x200), "no room for the headers"},
      {"not MZ", std::vector<uint8_t>(1024, 0), "not an MZ program"},
      {"no PE signature",
       [] {
         auto b = Image(2, 0x400);
         b[0x80] = 'X';
         return b;
       }(),
       "no PE header"},
  };
  for (auto& c : cases) {
    std::string error;
    EXPECT_FALSE(pe_header::MovePeHeader(c.image, error)) << c.what;
    EXPECT_TRUE(error.starts_with(c.error_start)) << c.what << ": " << error;
  }
}
