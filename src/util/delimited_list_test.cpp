// Tests of the delimited-list readers and builders, including the lenient
// reading of malformed lists and the separator change on rebuild.
#include "util/delimited_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const std::string kMonths = "||JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC|";

TEST(SubCountTest, CountsOnlyListsClosedBySeparator) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"", 0},
      {"|a|b|", 2},
      {"|a|b", 0},
      {"||", 1},
      {"|", 0},
      {"xax", 1},
      {"|||", 2},
      {"\0"s, 0},
      {"\0a\0"s, 1},
      {"\xff"
       "a\xff"
       "b\xff",
       2},
      {kMonths, 13},
  };
  for (const auto& [list, expected] : cases) EXPECT_EQ(SUB::Count(list), expected) << list;
}

TEST(SubItemTest, ReadsItemsLeniently) {
  struct Case {
    std::string list;
    int index;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"|a|b|", 0, "a"},
      {"|a|b|", 1, "b"},
      {"|a|b|", 2, ""},
      {"|a|b|", -1, ""},
      {"|a||c|", 1, ""},
      {"|a||c|", 2, "c"},
      {"|a|b", 0, "a"},  // items before a missing closing separator still read
      {"|a|b", 1, ""},   // text after the last separator is not an item
      {"", 0, ""},
      {"|", 0, ""},
      {"\0"s, 0, ""},
      {"\0a\0"s, 0, "a"},
      {"xaxbx", 1, "b"},
      {"*p|q*b*", 0, "p|q"},
      {kMonths, 0, ""},
      {kMonths, 1, "JAN"},  // a month number indexes the list directly
      {kMonths, 12, "DEC"},
      {kMonths, 13, ""},
      {"|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|", 6, "&Ignore"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SUB::Item(c.list, c.index), c.expected) << c.list << " [" << c.index << "]";
  }
}

TEST(SubItemIntTest, FallsBackWhenNotANumber) {
  const std::string list = "|12| -3 ||x|9999999999999999999|+7|";
  const std::vector<std::pair<int, int64_t>> cases = {
      {0, 12}, {1, -3}, {2, 99}, {3, 99}, {4, 99}, {5, 7}, {6, 99}, {-1, 99},
  };
  for (const auto& [index, expected] : cases) {
    EXPECT_EQ(SUB::ItemInt(list, index, 99), expected) << index;
  }
}

TEST(SubValueTest, FindsNameValueItems) {
  struct Case {
    std::string list, name, expected;
  };
  const std::vector<Case> cases = {
      {"|a=1|b = 2|", "B", " 2"},  // blanks after "=" belong to the value
      {"|a=1|b = 2|", "a", "1"},
      {"|a=1|b = 2|", "c", "dflt"},
      {"|x=|", "x", ""},  // present but empty does not fall back
      {"|xa=1|a=2|", "a", "2"},
      {"|a=1|a=2|", "A", "1"},
      {"| a=1|", "a", "1"},
      {"|  a=1|", "a", "dflt"},  // only one blank after the separator is dropped
      {"|a  =1|", "a", "dflt"},  // and only one before "="
      {"|a =1|", "a=", "1"},     // a name may carry its own "="
      {"|a=1=2|", "a", "1=2"},
      {"|Path=C:\\x|", "PATH", "C:\\x"},
      {"|a=1", "a", "dflt"},  // not closed by its separator
      {"a=1a", "a", "dflt"},  // the key holds the separator
      {"||", "a", "dflt"},
      {"", "a", "dflt"},
      {"|=x|", "", "x"},
      {";k=v;m=w;", "m", "w"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SUB::Value(c.list, c.name, "dflt"), c.expected) << c.list << " name " << c.name;
  }
}

struct SetItemCase {
  std::string list;
  int index;
  std::string text, expected;
};

TEST(SubSetItemTest, ReplacesOrGrows) {
  const std::vector<SetItemCase> cases = {
      {"|a|b|", 1, "x", "|a|x|"}, {"|a|b|", 3, "x", "|a|b||x|"}, {"", 0, "x", "|x|"},
      {"", 2, "x", "|||x|"},      {"|a|b|", 0, "", "||b|"},      {"|a|b|", -1, "x", "|a|b|"},
      {"|a|b", 0, "x", "|x|"},  // a list Count rejects has no items to keep
      {"\0"s, 0, "x", "|x|"},     {"xaxbx", 0, "c", "xcxbx"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SUB::SetItem(c.list, c.index, c.text), c.expected)
        << c.list << " [" << c.index << "] = " << c.text;
  }
}

TEST(SubSetItemTest, MovesSeparatorWhenTextContainsIt) {
  const std::vector<SetItemCase> cases = {
      {"|a|b|", 0, "p|q", "*p|q*b*"},
      {"|a|b|", 0, "|*", "^|*^b^"},
      {"|a|b|", 1, "|*^!~@#$&",
       "\xff"
       "a\xff|*^!~@#$&\xff"},
      // Every candidate taken: the list stays separated by character 0.
      {"|a|b|", 1, "|*^!~@#$&\xff", "\0a\0|*^!~@#$&\xff\0"s},
      // A character-0 list always needs a new separator.
      {"\0a\0b\0"s, 1, "x", "|a|x|"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SUB::SetItem(c.list, c.index, c.text), c.expected) << c.text;
  }
}

TEST(SubSetItemTest, ItemReadsBackWhatWasSet) {
  std::mt19937 rng(777);
  const std::string alphabet = "ab|*^!~@#$&\xff";
  auto random_text = [&] {
    std::string s(rng() % 4, ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    std::string list;
    std::vector<std::string> items;
    for (int step = 0; step < 6; ++step) {
      const int index = static_cast<int>(rng() % 6);
      const std::string text = random_text();
      list = SUB::SetItem(list, index, text);
      if (items.size() <= static_cast<size_t>(index)) items.resize(index + 1);
      items[index] = text;
      ASSERT_EQ(SUB::Count(list), static_cast<int>(items.size())) << list;
      for (size_t i = 0; i < items.size(); ++i) {
        ASSERT_EQ(SUB::Item(list, static_cast<int>(i)), items[i]) << list << " [" << i << "]";
      }
    }
  }
}

TEST(SubFreeSeparatorTest, PicksFirstUnusedCandidate) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"\0a\0b\0"s, "|a|b|"},
      {"\0a|\0"s, "*a|*"},
      {"\0|*^!~@#$&\0"s, "\xff|*^!~@#$&\xff"},
      {"\0|*^!~@#$&\xff\0"s, "\0|*^!~@#$&\xff\0"s},
      {"\0"s, "|"},
      {";a;b;", "|a|b|"},  // whatever the first character is, it is replaced
  };
  for (const auto& [list, expected] : cases) EXPECT_EQ(SUB::FreeSeparator(list), expected);
}

}  // namespace
