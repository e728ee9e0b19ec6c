// Tests of the language table and of the mapping from a language identifier
// to the section name of a package's language block.
#include "ui/language_names.h"

#include <gtest/gtest.h>

#include <string>

#include "util/delimited_list.h"

namespace {

struct Entry {
  const char* name;
  const char* code;
};

// Packages name their language sections after these; a changed letter would
// make a package fall back to English.
const Entry kEntries[] = {
    {"AFRIKAANS", "54"},   {"ALBANIAN", "28"},     {"ARABIC", "01"},
    {"BASQUE", "45"},      {"BELARUSIAN", "35"},   {"BULGARIAN", "02"},
    {"CATALAN", "03"},     {"CHINESE", "04"},      {"CROATIAN", "26"},
    {"CZECH", "05"},       {"DANISH", "06"},       {"DUTCH", "19"},
    {"ENGLISH", "09"},     {"ESTONIAN", "37"},     {"FAEROESE", "56"},
    {"FARSI", "41"},       {"FINNISH", "11"},      {"FRENCH", "12"},
    {"GERMAN", "07"},      {"GREEK", "08"},        {"HEBREW", "13"},
    {"HUNGARIAN", "14"},   {"ICELANDIC", "15"},    {"INDONESIAN", "33"},
    {"ITALIAN", "16"},     {"JAPANESE", "17"},     {"KOREAN", "18"},
    {"LATVIAN", "38"},     {"LITHUANIAN", "39"},   {"NORWEGIAN", "20"},
    {"POLISH", "21"},      {"PORTUGUESE", "22"},   {"ROMANIAN", "24"},
    {"RUSSIAN", "25"},     {"SERBIAN", "26"},      {"SLOVAK", "27"},
    {"SLOVENIAN", "36"},   {"SPANISH", "10"},      {"SWEDISH", "29"},
    {"THAI", "30"},        {"TURKISH", "31"},      {"UKRAINIAN", "34"},
    {"VIETNAMESE", "42"},
    {"CHINESE(SIMPLIFIED)", "2052"},  {"CHINESE(TRADITIONAL)", "1028"},
    {"DUTCH(FLEMISH)", "2067"},       {"DUTCH(STANDARD)", "1043"},
    {"PORTUGUESE(PORTUGAL)", "2070"}, {"PORTUGUESE(BRAZIL)", "1046"},
    {"SERBIAN(LATIN)", "2074"},       {"SERBIAN(CYRILIC)", "3098"},
};

}  // namespace

TEST(LanguageTable, StoredTextIsExact) {
  const std::string& table = LanguageTable();
  ASSERT_EQ(SUB::Count(table), 51);
  EXPECT_EQ(table.front(), '|');
  EXPECT_EQ(table.back(), '|');
  EXPECT_EQ(SUB::Item(table, 0), "AFRIKAANS    = 54");
  EXPECT_EQ(SUB::Item(table, 43), "CHINESE(SIMPLIFIED)  = 2052");

  std::string expected = "|";
  for (size_t i = 0; i < std::size(kEntries); ++i) {
    // Names padded to 13 columns, the four-digit items to 21.
    std::string name = kEntries[i].name;
    name.resize(i < 43 ? 13 : 21, ' ');
    expected += name + "= " + kEntries[i].code + "|";
  }
  EXPECT_EQ(table, expected);
}

TEST(LanguageName, FirstItemContainingTheCodeWins) {
  struct Case {
    int id;
    const char* name;
  };
  const Case cases[] = {
      {9, "ENGLISH"},
      {7, "GERMAN"},
      {10, "SPANISH"},
      {12, "FRENCH"},
      {17, "JAPANESE"},
      {22, "PORTUGUESE"},
      {26, "CROATIAN"},  // shares 26 with SERBIAN, which comes later
      {4, "CHINESE"},
      {20, "NORWEGIAN"},  // before the "20" inside 2052
      // Identifiers only found inside a four-digit code.
      {43, "DUTCH(STANDARD)"},
      {46, "PORTUGUESE(BRAZIL)"},
      {52, "CHINESE(SIMPLIFIED)"},
      {67, "DUTCH(FLEMISH)"},
      {70, "PORTUGUESE(PORTUGAL)"},
      {74, "SERBIAN(LATIN)"},
      {98, "SERBIAN(CYRILIC)"},
      // No item contains the code.
      {0, ""},
      {44, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageName(c.id), c.name) << "identifier " << c.id;
  }
}

TEST(PrimaryLanguageOfLocale, LowTenBitsOrEnglishForNeutralLocale) {
  struct Case {
    uint32_t locale;
    int primary;
    const char* name;
  };
  const Case cases[] = {
      {0x0409, 9, "ENGLISH"},
      {0x0407, 7, "GERMAN"},
      {0x0C0A, 10, "SPANISH"},  // sub-language bits are dropped
      {0x0804, 4, "CHINESE"},
      {0x0413, 19, "DUTCH"},
      {0x00010407, 7, "GERMAN"},  // sort order above the low 16 bits
      {0x0000, 9, "ENGLISH"},
      {0x00050000, 9, "ENGLISH"},  // only the low 16 bits decide
      {0x0400, 0, ""},             // low 16 bits set, primary language 0
  };
  for (const Case& c : cases) {
    const int primary = PrimaryLanguageOfLocale(c.locale);
    EXPECT_EQ(primary, c.primary) << std::hex << c.locale;
    EXPECT_EQ(LanguageName(primary), c.name) << std::hex << c.locale;
  }
}
