// Names of the user's language, matched against the section names of a
// package's language block.
#include "ui/language_names.h"

#include "util/delimited_list.h"
#include "util/string_ops.h"

const std::string& LanguageTable() {
  // Packages name their sections after these entries, so the text, blanks
  // included, must not change.
  static const std::string table =
      "|AFRIKAANS    = 54"
      "|ALBANIAN     = 28"
      "|ARABIC       = 01"
      "|BASQUE       = 45"
      "|BELARUSIAN   = 35"
      "|BULGARIAN    = 02"
      "|CATALAN      = 03"
      "|CHINESE      = 04"
      "|CROATIAN     = 26"
      "|CZECH        = 05"
      "|DANISH       = 06"
      "|DUTCH        = 19"
      "|ENGLISH      = 09"
      "|ESTONIAN     = 37"
      "|FAEROESE     = 56"
      "|FARSI        = 41"
      "|FINNISH      = 11"
      "|FRENCH       = 12"
      "|GERMAN       = 07"
      "|GREEK        = 08"
      "|HEBREW       = 13"
      "|HUNGARIAN    = 14"
      "|ICELANDIC    = 15"
      "|INDONESIAN   = 33"
      "|ITALIAN      = 16"
      "|JAPANESE     = 17"
      "|KOREAN       = 18"
      "|LATVIAN      = 38"
      "|LITHUANIAN   = 39"
      "|NORWEGIAN    = 20"
      "|POLISH       = 21"
      "|PORTUGUESE   = 22"
      "|ROMANIAN     = 24"
      "|RUSSIAN      = 25"
      "|SERBIAN      = 26"
      "|SLOVAK       = 27"
      "|SLOVENIAN    = 36"
      "|SPANISH      = 10"
      "|SWEDISH      = 29"
      "|THAI         = 30"
      "|TURKISH      = 31"
      "|UKRAINIAN    = 34"
      "|VIETNAMESE   = 42"
      "|CHINESE(SIMPLIFIED)  = 2052"
      "|CHINESE(TRADITIONAL) = 1028"
      "|DUTCH(FLEMISH)       = 2067"
      "|DUTCH(STANDARD)      = 1043"
      "|PORTUGUESE(PORTUGAL) = 2070"
      "|PORTUGUESE(BRAZIL)   = 1046"
      "|SERBIAN(LATIN)       = 2074"
      "|SERBIAN(CYRILIC)     = 3098"
      "|";
  return table;
}

std::string LanguageName(int language_id) {
  const std::string code = IntToZeroPad(language_id, 2);
  const std::string& table = LanguageTable();
  const int count = SUB::Count(table);
  // A plain substring test, so a primary identifier missing from the
  // two-digit codes can still match inside a four-digit one; the table order
  // decides which item wins.
  for (int i = 0; i < count; ++i) {
    const std::string item = SUB::Item(table, i);
    if (item.find(code) == std::string::npos) {
      continue;
    }
    const size_t equals = item.find('=');
    if (equals != std::string::npos && equals > 0) {
      return Trim(std::string_view(item).substr(0, equals));
    }
  }
  return "";
}

int PrimaryLanguageOfLocale(uint32_t locale_id) {
  if ((locale_id & 0xFFFF) == 0) {
    return 9;
  }
  return static_cast<int>(locale_id & 0x3FF);
}
