// The pure rules of the HTTP download: URL schemes, sizes and steps, the
// temporary name and its leftovers, header dates and the failure texts.
#include "net/download_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DownloadRules, OnlyAnAddressWithoutASchemeGetsHttp) {
  const struct {
    const char* url;
    const char* opened;
  } cases[] = {
      {"https://example.test/a/setup.exe", "https://example.test/a/setup.exe"},
      {"HTTPS://Example.test/x", "HTTPS://Example.test/x"},
      {"http://example.test/x", "http://example.test/x"},
      {"ftp://example.test/x", "ftp://example.test/x"},
      {"example.test/setup.exe", "http://example.test/setup.exe"},
      // A host with a port is not a scheme.
      {"127.0.0.1:8080/setup.exe", "http://127.0.0.1:8080/setup.exe"},
      {"localhost:8080/setup.exe", "http://localhost:8080/setup.exe"},
      // "http://" inside a query does not make the address absolute.
      {"example.test/get?from=http://other.test/", "http://example.test/get?from=http://other.test/"},
      {"", "http://"},
      {"://x", "http://://x"},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlWithScheme(c.url), c.opened) << c.url;
}

TEST(DownloadRules, DisplayNameIsTheLastSegment) {
  EXPECT_EQ(DisplayName("http://example.test/dir/Setup.exe"), "Setup.exe");
  EXPECT_EQ(DisplayName("example.test:80"), "80");
  EXPECT_EQ(DisplayName("Setup.exe"), "Setup.exe");
  EXPECT_EQ(DisplayName("http://example.test/dir/"), "");
}

TEST(DownloadRules, ChunksAndProgressSteps) {
  const struct {
    uint32_t size, chunk;
    int maximum;
  } cases[] = {
      {15, 1, 16},          {1, 1, 2},     {81920, 8192, 11},
      {1000000, 8192, 124}, {100, 10, 11}, {kUnknownSize, 8192, 524289},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChunkSize(c.size), c.chunk) << c.size;
    EXPECT_EQ(ProgressMaximum(c.size, c.chunk), c.maximum) << c.size;
  }
}

TEST(DownloadRules, ReadsStopAtTheAnnouncedSizeAndAtTheBounds) {
  EXPECT_EQ(NextReadSize(1000, 0, 100, false), 100u);
  EXPECT_EQ(NextReadSize(1000, 950, 100, false), 50u);
  EXPECT_EQ(NextReadSize(1000, 1000, 100, false), 0u);
  // Without a Content-Length the count never reaches the value that means
  // "unknown", so a body cannot pass for complete.
  EXPECT_EQ(NextReadSize(kUnknownSize, 0, 8192, false), 8192u);
  EXPECT_EQ(NextReadSize(kUnknownSize, kUnknownSize - 2, 8192, false), 1u);
  EXPECT_EQ(NextReadSize(kUnknownSize, kUnknownSize - 1, 8192, false), 0u);
  // A body in memory is capped whatever the server announces.
  EXPECT_EQ(NextReadSize(kUnknownSize, kMaxContentBytes - 10, 8192, true), 10u);
  EXPECT_EQ(NextReadSize(0x80000000u, kMaxContentBytes, 8192, true), 0u);
}

TEST(DownloadRules, TemporaryNameAndLeftovers) {
  EXPECT_EQ(TemporaryPath("C:\\T\\s.exe", 1000, 5), "C:\\T\\s.exe.1005");
  EXPECT_EQ(TemporaryPath("C:\\T\\s.exe", kUnknownSize, 2), "C:\\T\\s.exe.1");
  const struct {
    const char* found;
    bool leftover;
  } cases[] = {
      {"s.exe.1005", true}, {"S.EXE.7", true},   {"s.exe", false},  {"s.exe.", false},
      {"s.exe1", false},    {"xs.exe.1", false}, {"s.ex.1", false}, {"s.exe.1.2", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsLeftoverName("s.exe", c.found), c.leftover) << c.found;
  EXPECT_FALSE(IsLeftoverName("", ".x"));
}

TEST(DownloadRules, LastModifiedBecomesAPackedFileDate) {
  // 11 Dec 2026 16:21:07: date (46 << 9 | 12 << 5 | 11), time (16 << 11 | 21 << 5 | 3).
  EXPECT_EQ(PackedFileDate({2026, 12, 11, 16, 21, 7, 0}),
            (uint32_t{46 << 9 | 12 << 5 | 11} << 16) | (16 << 11 | 21 << 5 | 3));
  EXPECT_EQ(PackedFileDate({1980, 1, 1, 0, 0, 0, 0}), uint32_t{1 << 5 | 1} << 16);
  EXPECT_NE(PackedFileDate({2024, 2, 29, 0, 0, 0, 0}), 0u);
  const HttpDate refused[] = {
      {},  // an absent header leaves every field zero
      {1979, 12, 31, 23, 59, 59, 0},
      {2108, 1, 1, 0, 0, 0, 0},
      {2023, 2, 29, 0, 0, 0, 0},
      {2026, 13, 1, 0, 0, 0, 0},
      {2026, 4, 31, 0, 0, 0, 0},
      {2026, 1, 1, 24, 0, 0, 0},
      {2026, 1, 1, 0, 60, 0, 0},
      {2026, 1, 1, 0, 0, 60, 0},
      {2026, 1, 1, 0, 0, 0, 1000},
      {2026, 1, 0, 0, 0, 0, 0},
      {-5, -1, -1, -1, -1, -1, -1},
  };
  for (const auto& d : refused) EXPECT_EQ(PackedFileDate(d), 0u) << d.year << "-" << d.month << "-" << d.day;
}

TEST(DownloadRules, MeterUnits) {
  EXPECT_FALSE(UseKilobytes(102400));
  EXPECT_TRUE(UseKilobytes(102401));
  EXPECT_FALSE(UseMegabytes(10485760));
  EXPECT_TRUE(UseMegabytes(10485761));
}

TEST(DownloadRules, FailureTexts) {
  EXPECT_STREQ(kInitErrorText, "Unable to initialize \"WinINet.dll\"");
  EXPECT_EQ(OpenErrorText("example.test/a.exe"), "Unable to open Internet Connection: example.test/a.exe");
  EXPECT_EQ(NotFoundText("http://x/a.exe"), "http://x/a.exe --- File Not Found !");
  EXPECT_EQ(ReadErrorText("a.exe", ""), "a.exe --- Error downloading file");
  EXPECT_EQ(ReadErrorText("a.exe", "timed out"), "a.exe --- Error downloading file (timed out)");
  EXPECT_EQ(DownloadTraceLine(42, kAbortedText), "42 HTTP_DownloadFile_Incremental: Download Aborted");
}

}  // namespace
