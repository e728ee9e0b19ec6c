// The user's language name, from the thread locale of the running program.
#include <windows.h>

#include "ui/language_names.h"

std::string UserLanguageName() {
  // Read once: the language section, once chosen, must stay the same for the
  // whole run even if the thread locale changes.
  static const std::string name =
      LanguageName(PrimaryLanguageOfLocale(static_cast<uint32_t>(GetThreadLocale())));
  return name;
}
