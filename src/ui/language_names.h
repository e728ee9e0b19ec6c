// Names of the user's language, as the sections of a package's language
// block are named ("ENGLISH", "GERMAN", ...).
#pragma once

#include <cstdint>
#include <string>

// The table as one delimited list, exactly as stored.
const std::string& LanguageTable();
// Upper-case name for a language identifier; "" when the table has none.
std::string LanguageName(int language_id);
// The primary language identifier of a locale: its low 10 bits, or 9 (English)
// when the locale's low 16 bits are 0.
int PrimaryLanguageOfLocale(uint32_t locale_id);
// LanguageName of the thread locale read at start (Windows build only).
std::string UserLanguageName();
