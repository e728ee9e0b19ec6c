// The agent copy of a web stub, the paths of the full setup file and the
// download prompt.
#include "package/web_setup_rules.h"

#include <gtest/gtest.h>

#include "package/package_format.h"

namespace {

// A stub image whose package (ending in a trailer with AgentMode 0) ends at
// `end`, followed by `tail` bytes of 0xEE.
std::string StubImage(uint32_t end, size_t tail) {
  std::string image(end, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  image[256] = 'P';
  image[257] = 'E';
  for (int i = 0; i < 4; ++i) image[252 + i] = static_cast<char>(end >> (8 * i));
  package::Trailer trailer;
  trailer.magic = package::kMagic;
  trailer.trailer_size = package::kTrailerSize;
  const package::TrailerBytes bytes = package::SerializeTrailer(trailer);
  image.replace(end - bytes.size(), bytes.size(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return image + std::string(tail, '\xEE');
}

uint8_t AgentModeAt(const std::string& copy, uint32_t end) {
  return static_cast<uint8_t>(copy[end - package::kTrailerSize + package::trailer_offset::kAgentMode]);
}

TEST(WebSetupRules, AgentModeIsSetAtThePackageEndWhateverFollows) {
  const uint32_t end = 4096;
  const struct {
    size_t tail;
    size_t copy_size;
  } cases[] = {
      {0, end},     // the trailer ends the file
      {3000, end},  // a short appended block is dropped
      {kDroppedTailLimit - 1, end},
      {kDroppedTailLimit, end + kDroppedTailLimit},  // a long one stays, untouched
      {25000, end + 25000},
  };
  for (const auto& c : cases) {
    const std::string image = StubImage(end, c.tail);
    const std::string copy = MakeAgentCopy(image);
    ASSERT_EQ(copy.size(), c.copy_size) << c.tail;
    EXPECT_EQ(AgentModeAt(copy, end), 1) << c.tail;
    // Nothing else changed: not the bytes before, not a byte of the tail.
    std::string expected = image.substr(0, c.copy_size);
    expected[end - 5] = 1;
    EXPECT_EQ(copy, expected) << c.tail;
    const package::Trailer trailer = package::ParseTrailer(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(copy.data()) + end - package::kTrailerSize, package::kTrailerSize));
    EXPECT_EQ(trailer.agent_mode, 1) << c.tail;
    EXPECT_TRUE(trailer.HasMagic());
  }
}

TEST(WebSetupRules, ImagesWithoutAUsablePackageEnd) {
  // Not a stub image: the file's end is the package end.
  EXPECT_EQ(MakeAgentCopy("abcdefgh"), std::string("abc\x01") + "efgh");
  EXPECT_EQ(MakeAgentCopy("abcde"), "abcde");
  EXPECT_EQ(MakeAgentCopy(""), "");
  // An end offset past the file (a cut download) changes nothing.
  std::string cut = StubImage(4096, 0).substr(0, 3000);
  EXPECT_EQ(MakeAgentCopy(cut), cut);
}

TEST(WebSetupRules, WhereTheFullSetupIsFound) {
  EXPECT_EQ(WebLocalPath("C:\\Apps", "Full.exe"), "C:\\Apps\\Full.exe");
  EXPECT_EQ(WebLocalPath("C:\\Apps\\\\", "Full.exe"), "C:\\Apps\\Full.exe");
  EXPECT_EQ(WebLocalPath("http://example.test/dl", "Full.exe"), "http://example.test/dl\\Full.exe");
  EXPECT_EQ(WebDownloadUrl("http://example.test/dl", "Full.exe"), "http://example.test/dl/Full.exe");
}

TEST(WebSetupRules, PromptShowsTheSizeInMegabytes) {
  const struct {
    const char* size;
    const char* shown;
  } cases[] = {
      {"52428800", "Size: 50.0 MB"}, {" 1572864 ", "Size: 1.50 MB"},
      {"", "Size: 0.000 MB"},        {"12ab", "Size: 0.000 MB"},
      {"-5", "Size: 0.000 MB"},      {"99999999999999999999999", "Size: 0.000 MB"},
  };
  for (const auto& c : cases) EXPECT_EQ(DownloadPromptText("Size: <SIZE> MB", c.size), c.shown) << c.size;
  EXPECT_EQ(DownloadPromptText("<SIZE>|<SIZE>", "0"), "0.000|0.000");
}

}  // namespace
