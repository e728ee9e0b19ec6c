// TGFileInfo accessors and the language section choice.
#include "package/file_info.h"

#include <gtest/gtest.h>

#include "package/language_selection.h"
#include "package_fixture.h"
#include "scramble_encode.h"
#include "util/scrambled.h"

using fixture::Bytes;

namespace {

Bytes Package(const std::string& language_block, const std::string& agent_list, const std::string* web_list,
              uint8_t flags = 0) {
  Bytes file = fixture::FakeStub();
  const uint32_t header_offset = uint32_t(file.size());
  fixture::AppendBlock(file, language_block, true);
  fixture::AppendBlock(file, agent_list, true);
  package::Trailer t = fixture::BasicTrailer(header_offset);
  if (web_list) {
    fixture::AppendBlock(file, *web_list, true);
    t.version = 3;
  }
  t.flags = flags;
  t.space_table = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  fixture::AppendTrailer(file, t);
  return file;
}

}  // namespace

TEST(FileInfo, AgentAndWebListItems) {
  const std::string product = EncodeHeaderField("PRODUCT-1", 0x21, 0x5A, "ab", "c");
  const std::string web_token = EncodeHeaderField("WEB-7", 0x10, 0x99, "", "");
  const std::string agent = "|http://x/u/|sub\\Info.v1.txt|AppAgent.exe|" + product + "|1|";
  const std::string web = "|http://x/w|Full.exe|1|" + web_token + "|52428800|";
  Bytes file = Package("", agent, &web, package::kShowBusyBar | package::kAgentLog);
  MemoryByteSource source(file);
  TGFileInfo info(source);
  EXPECT_EQ(info.UpdateURL(), "http://x/u/");
  EXPECT_EQ(info.InfoFileName(), "Info.v1.txt");
  EXPECT_EQ(info.SettingsFileName(), "Info.original");
  EXPECT_EQ(info.AgentExeName(), "AppAgent.exe");
  EXPECT_EQ(info.ProductToken(true), "PRODUCT-1");
  EXPECT_EQ(info.ProductToken(false), product);
  EXPECT_TRUE(info.HiddenSetup());
  EXPECT_EQ(info.WebURL(), "http://x/w");
  EXPECT_EQ(info.WebSetupFileName(), "Full.exe");
  EXPECT_TRUE(info.AlwaysDownload());
  EXPECT_EQ(info.WebToken(true), "WEB-7");
  EXPECT_EQ(info.WebSetupSize(), "52428800");
  EXPECT_TRUE(info.ShowBusyBar());
  EXPECT_TRUE(info.AgentLog());
  EXPECT_FALSE(info.Spanned());
  EXPECT_FALSE(info.AlwaysConfirmTemp());
  EXPECT_EQ(info.RequiredSpaceForClusterSize(4096), 5.0);
  EXPECT_EQ(info.RequiredSpaceForClusterSize(0), 1.0);
}

TEST(FileInfo, MissingItemsAndFilesReadEmpty) {
  Bytes file = Package("", "|only-url|", nullptr);
  MemoryByteSource source(file);
  TGFileInfo info(source);
  EXPECT_EQ(info.AgentExeName(), "");
  EXPECT_FALSE(info.HiddenSetup());
  EXPECT_EQ(info.WebURL(), "");

  TGFileInfo missing(std::string("/no/such/file.exe"));
  EXPECT_FALSE(missing.HasPackage());
  EXPECT_FALSE(missing.AgentMode());
  EXPECT_EQ(missing.LanguageBlock(), "");
}

TEST(FileInfo, FailedTokenNeverMatches) {
  Bytes file = Package("", "|u|i|a|garbage|0|", nullptr);
  MemoryByteSource source(file);
  TGFileInfo info(source);
  // Two reads of a token that does not decode give texts that must not be
  // taken as equal; the comparison of stored fields refuses them.
  EXPECT_FALSE(TokensMatch(info.ProductToken(false), info.ProductToken(false)));
}

TEST(LanguageSelection, ChoosesBySectionName) {
  const std::string two = fixture::LanguageBlock({{"GERMAN", {"s0=Hallo"}}, {" english ", {"s0=Hello"}}});
  const std::string one = fixture::LanguageBlock({{"FRENCH", {"s0=Bonjour"}}});
  const std::string neither = fixture::LanguageBlock({{"FRENCH", {"s0=Bonjour"}}, {"DUTCH", {"s0=Hallo"}}});
  struct Case {
    const std::string* block;
    const char* wanted;
    const char* s0;
  } cases[] = {
      {&two, "german", "Hallo"},       // name matched ignoring case
      {&two, "SPANISH", "Hello"},      // falls back to English (trimmed)
      {&two, "", "Hello"},             // no user language: English
      {&one, "GERMAN", "Bonjour"},     // the only section, whatever its name
      {&neither, "GERMAN", "default"}, // nothing fits: every lookup gives its default
  };
  for (const auto& c : cases) {
    package::LanguageSelection selection;
    EXPECT_EQ(selection.LangString(*c.block, c.wanted, "s0", "default"), c.s0) << c.wanted;
  }
}

TEST(LanguageSelection, LookupRulesAndTheProcessCache) {
  const std::string block =
      fixture::LanguageBlock({{"ENGLISH", {"FONTNAME=Arial", "Empty=", " Charset =177", "FontSize=big"}}});
  package::LanguageSelection selection;
  EXPECT_EQ(selection.LangString(block, "ENGLISH", "FontName", "Tahoma"), "Arial");
  EXPECT_EQ(selection.LangString(block, "ENGLISH", "Empty", "x"), "");
  EXPECT_EQ(selection.LangString(block, "ENGLISH", "Missing", "x"), "x");
  EXPECT_EQ(selection.LangString(block, "ENGLISH", "Charset", "0"), "177");
  // Once chosen, the section serves every later lookup, also on other blocks.
  const std::string other = fixture::LanguageBlock({{"ENGLISH", {"FontName=Other"}}});
  EXPECT_EQ(selection.LangString(other, "ENGLISH", "FontName", "Tahoma"), "Arial");

  // The typed accessors of the process-wide cache.
  Bytes file = Package(block, "", nullptr);
  MemoryByteSource source(file);
  TGFileInfo info(source);
  EXPECT_EQ(info.Charset(), 177);
  EXPECT_EQ(info.FontSize(), 8);  // "big" is no number
  EXPECT_EQ(info.FontName(), "Arial");
}
