// Parsing of project descriptions, and the errors a publisher sees.
#include "project.h"

#include <gtest/gtest.h>

TEST(Project, ReadsEverySection) {
  const std::string text =
      "# comment\n"
      "[package]\n"
      "files = app\n"
      "engine = Engine.exe\n"
      "engine_arguments = /X /Y\n"
      "compression = stored\n"
      "entry_size = 1000\n"
      "part_size = 50000\n"
      "flags = ShowBusyBar, AgentLog\n"
      "create_agent = yes\n"
      "checksum = no\n"
      "[agent]\n"
      "UpdateURL = http://example.test/u/\n"
      "ProductToken = P1\n"
      "[web]\n"
      "Token = W1\n"
      "SetupSize = 123\n"
      "[language English]\n"
      "s0 = Hello <B>World</B>\n"
      "BtnText = |&OK|&Cancel|\n"
      "[language German]\n"
      "s0 = Hallo\n";
  std::string error;
  auto p = pack::ParseProject(text, error);
  ASSERT_TRUE(p) << error;
  EXPECT_EQ(p->files_folder, "app");
  EXPECT_EQ(p->engine_arguments, "/X /Y");
  EXPECT_FALSE(p->compress);
  EXPECT_EQ(p->entry_size, 1000u);
  EXPECT_EQ(p->part_size, 50000u);
  EXPECT_EQ(p->flags, 0x18);
  EXPECT_TRUE(p->create_agent);
  EXPECT_FALSE(p->checksum);
  EXPECT_TRUE(p->has_agent_list);
  EXPECT_EQ(p->product_token, "P1");
  EXPECT_TRUE(p->has_web_list);
  EXPECT_EQ(p->web_setup_size, "123");
  ASSERT_EQ(p->languages.size(), 2u);
  EXPECT_EQ(p->languages[0].name, "English");
  EXPECT_EQ(p->languages[0].entries[1].second, "|&OK|&Cancel|");
  EXPECT_EQ(p->languages[1].entries[0].second, "Hallo");
}

TEST(Project, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"s0 = x\n", "line 1: key outside a section"},
      {"[package]\nfiles\n", "line 2: expected key = value"},
      {"[package]\nflags = Spanned\n", "line 2: bad value for flags: Spanned"},
      {"[package]\ncompression = lzma\n", "line 2: bad value for compression: lzma"},
      {"[package]\nentry_size = 0\n", "line 2: bad value for entry_size: 0"},
      {"[agent]\nUpdateURL = a|b\n", "line 2: list items cannot hold '|'"},
      {"[other]\n", "line 1: unknown section [other]"},
      {"[package\n", "line 1: section header without ']'"},
      {"[package]\ncolour = red\n", "line 2: unknown key colour in [package]"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(pack::ParseProject(c.text, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}
