// What the stub asks the system about itself and its user: names, the
// Windows family and its registration, file versions, window texts and
// placement, the shell, the developer switch, and the local time with the
// locale's separators for the date texts.
#pragma once

#include <windows.h>

#include <string>

#include "util/system_rules.h"
#include "util/text_format.h"

// Names of the logged-on user and of the computer, trimmed; empty on failure.
std::string UserName();
std::string ComputerName();
// The domain the account belongs to; empty when the system does not know
// the account.
std::string AccountDomain(const std::string& account);
// AccountDomain of UserName.
std::string UserDomain();

// True on the NT family (platform id 2).
bool IsWindowsNT();
// The registry key of the system's version and registration data.
std::string WindowsVersionKey();
// The registered owner, trimmed; UserName when none is registered.
std::string RegisteredOwner();
// The registered organization, trimmed; empty when none is registered.
std::string RegisteredOrganization();

// The file version of the file's version resource as "1.2.3.4"; the running
// executable's for an empty path; empty when the file has no version
// information.
std::string FileVersionText(const std::string& path);

// The window's text, up to 1023 characters; empty for no window.
std::string WindowText(HWND window);
// The top-left corner that centres a window of the size in the desktop work
// area.
WindowOrigin CenterInWorkArea(int width, int height);
// The size in points as screen pixels (vertical resolution, read once).
int PointsToPixels(int points);

// Opens the file or address with its default verb, as the user's double
// click would, owned by the desktop; true when the shell reports success.
bool ShellOpen(const std::string& file, int show_command);

// The developer-diagnostics switch: on when the environment variable "DVX"
// is exactly "847" at the first call; kept for the process.
bool DeveloperMode();

// The user's date and time separators, for TimeStampText and DateTimeText;
// '/' and ':' when the locale does not tell.
struct DateTimeSeparators {
  char date = '/';
  char time = ':';
};
DateTimeSeparators LocaleDateTimeSeparators();
// The local time now, to the second.
DateTimeParts NowDateTimeParts();
