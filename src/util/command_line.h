// The command line read as switches ("/Name=value" or "-Name=value"). Pure:
// every reader works on a text it is given, so the Win32 caller passes the
// process's raw command line and executable path, and the host tests can
// feed any line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The separator of a switch list; no switch text can contain it.
inline constexpr char kSwitchSeparator = '\x01';

// The raw command line without the program's own name (quoted or not), given
// the full path of the running executable; trimmed.
std::string CommandLineTail(std::string_view command_line, std::string_view exe_path);

// The tail as a delimited list separated by kSwitchSeparator: quotes removed,
// each blank followed by `switch_char` starts an item; the first item is
// whatever stands before the first switch (usually empty).
std::string SwitchList(std::string_view tail, char switch_char);

// Trimmed value of a switch such as "/OriginExe=" or "-X", or the fallback.
// The name's first character picks the switch character ('/' unless it is
// '-'); a value may hold blanks and runs to the next blank + switch character.
std::string SwitchValue(std::string_view tail, std::string_view name, std::string_view fallback);
int64_t SwitchInt64(std::string_view tail, std::string_view name, int64_t fallback);

// True when the trimmed switch text followed by a blank occurs, ignoring
// case, anywhere in the tail followed by a blank.
bool HasSwitch(std::string_view tail, std::string_view switch_text);

// Removes the first occurrence (case-sensitive) of the switch from its first
// character up to, not including, the next '/' after it, or to the end. The
// blank before the switch stays.
std::string RemoveSwitch(std::string_view line, std::string_view switch_name);
