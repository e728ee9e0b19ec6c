// Tests of the HTML error-page check: real server pages, the order of the
// markers, the 1000-byte limit, binary and empty data, a file taking the
// place of the data, and the message built from it.
#include "net/error_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const std::string kNginx404 =
    "<html>\r\n<head><title>404 Not Found</title></head>\r\n<body>\r\n"
    "<center><h1>404 Not Found</h1></center>\r\n<hr><center>nginx/1.22.1</center>\r\n"
    "</body>\r\n</html>\r\n";

const std::string kApache404 =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n<html><head>\n"
    "<title>404 Not Found</title>\n</head><body>\n<h1>Not Found</h1>\n"
    "<p>The requested URL was not found on this server.</p>\n</body></html>\n";

// The start of a setup executable: DOS header, stub text, zero padding.
const std::string kSetupHead =
    "MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff\0\0"s + std::string(48, '\0') +
    "\x0e\x1f\xba\x0e\0\xb4\t\xcd!\xb8\x01L\xcd!This program cannot be run in DOS mode.\r\r\n$"s +
    std::string(2000, '\0');

const std::string kMessage =
    "<B>404 File Not Found...</B><P><P>URL:  http://example.com/s.exe."
    "<P><P>Please make sure the file is available and access is allowed to this file.";

TEST(IsHtmlErrorPageTest, RecognisesPagesByTheirHead) {
  struct Case {
    const char* what;
    std::string data;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"nginx 404", kNginx404, true},
      {"apache 404", kApache404, true},
      {"nginx 404 upper case", "<HTML>\r\n<HEAD><TITLE>404 NOT FOUND</TITLE></HEAD></HTML>", true},
      {"title with 404, no html or head", "<title>Error 404</title>", true},
      {"title with attributes", "<TITLE lang=en>404</TITLE>", true},
      {"any html page", "<html><head><title>Login</title></head><body></body></html>", true},
      {"empty title", "<html><head><title></title>", true},
      // "404" counts when it follows "<TITLE", even if it occurred before.
      {"404 before and in the title", "<html>404<title>404</title>", true},
      {"404 only before the title", "404 <title>Moved</title>", false},
      {"404 only after the title", "<title>Moved</title> 404", false},
      {"title never closed", "<title>404 Not Found", false},
      {"head before html", "<head><html><title>Moved</title>", false},
      {"closing before opening title", "<html><head></title><title>", false},
      {"no head", "<html><title>Moved</title></html>", false},
      {"plain text", "404 Not Found", false},
      {"partial markers", "<TITLE<TITLE<TITLE40</TITLE", false},
      {"setup executable", kSetupHead, false},
      {"empty", "", false},
      // Zero bytes in front do not end the scan.
      {"page after zero bytes", std::string(100, '\0') + "<title>404</title>", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsHtmlErrorPage(c.data), c.expected) << c.what;
    EXPECT_EQ(IsHtmlErrorPage("", c.data), c.expected) << c.what << " (no file)";
  }
}

TEST(IsHtmlErrorPageTest, LooksAtTheFirst1000BytesOnly) {
  const std::string page = "<title>404</title>";
  struct Case {
    size_t padding;
    bool expected;
  };
  const std::vector<Case> cases = {
      {0, true},
      {1000 - page.size(), true},   // "</title>" ends on the last byte looked at
      {1001 - page.size(), false},  // one byte later
      {5000, false},
  };
  for (const auto& c : cases) {
    const std::string data = std::string(c.padding, ' ') + page + std::string(100, ' ');
    EXPECT_EQ(IsHtmlErrorPage(data), c.expected) << c.padding;
  }
  // A page that begins well but only gets its title after the limit.
  EXPECT_FALSE(IsHtmlErrorPage("<html><head>" + std::string(1000, '\n') + "<title>x</title>"));
}

class ErrorPageFileTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const auto& path : paths_) std::remove(path.c_str());
  }

  std::string WriteFile(const std::string& content) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string path = testing::TempDir() + "dvx_error_page_" + std::to_string(stamp) + "_" +
                       std::to_string(paths_.size()) + ".tmp";
    std::ofstream(path, std::ios::binary) << content;
    paths_.push_back(path);
    return path;
  }

 private:
  std::vector<std::string> paths_;
};

TEST_F(ErrorPageFileTest, AnExistingFileTakesThePlaceOfTheData) {
  const std::string missing = testing::TempDir() + "dvx_error_page_no_such_file.tmp";
  struct Case {
    const char* what;
    std::string file;
    std::string data;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"404 page in the file", WriteFile(kNginx404), "", true},
      {"file wins over the data", WriteFile(kSetupHead), kNginx404, false},
      {"empty file wins over the data", WriteFile(""), kNginx404, false},
      {"title after 1000 bytes of the file", WriteFile(std::string(1000, ' ') + kNginx404), "", false},
      {"missing file: the data counts", missing, kNginx404, true},
      {"missing file, binary data", missing, kSetupHead, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsHtmlErrorPage(c.file, c.data), c.expected) << c.what;
  }
  EXPECT_EQ(ErrorPageMessage(WriteFile(kApache404), "", "http://example.com/s.exe", "Vkz Hyyjgw Yzzyl!"),
            kMessage);
}

TEST(ErrorPageMessageTest, NamesTheUrlForAPageAndFallsBackOtherwise) {
  const std::string url = "http://example.com/s.exe";
  EXPECT_EQ(ErrorPageMessage("", kNginx404, url, "Vkz Hyyjgw Yzzyl!"), kMessage);
  EXPECT_EQ(ErrorPageMessage("", kSetupHead, url, "Vkz Hyyjgw Yzzyl!"), "Vkz Hyyjgw Yzzyl!");
  EXPECT_EQ(ErrorPageMessage("", "", url, "Vkz Hyyjgw Yzzyl!"), "Vkz Hyyjgw Yzzyl!");
  EXPECT_EQ(ErrorPageMessage("", kSetupHead, url, ""), "");
  EXPECT_EQ(ErrorPageMessage("", kNginx404, "", ""),
            "<B>404 File Not Found...</B><P><P>URL:  ."
            "<P><P>Please make sure the file is available and access is allowed to this file.");
}

}  // namespace
