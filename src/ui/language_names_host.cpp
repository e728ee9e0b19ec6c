// Host builds have no thread locale: they read texts as an English user would.
#include "ui/language_names.h"

std::string UserLanguageName() { return LanguageName(PrimaryLanguageOfLocale(0)); }
