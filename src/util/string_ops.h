// Byte-string operations shared by every module. Case-insensitive means ASCII
// a-z only; positions are 1-based with 0 for "not found".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

char UpperAscii(char c);
std::string UpperCaseAscii(std::string_view text);
bool SameTextNoCase(std::string_view a, std::string_view b);
// Removes characters with codes 0 to 32 at both ends.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

std::string ReplaceStr(std::string_view text, std::string_view old_text, std::string_view new_text);
std::string ReplaceStrNoCase(std::string_view text, std::string_view old_text,
                             std::string_view new_text);
std::string ReplaceChar(std::string_view text, char from, char to);
std::string StripChar(std::string_view text, char c, bool any_end, bool once);
std::string Unquote(std::string_view text);
std::string TextBefore(std::string_view text, std::string_view sub);
std::string TextAfter(std::string_view text, std::string_view sub);
std::string ReverseStr(std::string_view text);
int Pos(std::string_view sub, std::string_view text);
int LastPos(std::string_view sub, std::string_view text);
int ReversePosNoCase(std::string_view sub, std::string_view text);
bool EndsWith(std::string_view suffix, std::string_view text);
bool StartsWith(std::string_view prefix, std::string_view text, bool ignore_case);
bool SameTextTrimmed(std::string_view a, std::string_view b);
int PosNoCase(std::string_view sub, std::string_view text);
int PosFrom(std::string_view sub, std::string_view text, int start);
int PosFromNoCase(std::string_view sub, std::string_view text, int start);
std::string PadLeft(std::string_view text, int width, char fill);
std::string ZeroPad(std::string_view text, int width);
std::string IntToZeroPad(int64_t value, int width);
std::string IfThenStr(bool condition, std::string_view a, std::string_view b);
std::string BoolToText(bool value);
std::string ConvertEscapes(std::string_view text);

// Decimal integer parsing as the stub's texts need it: optional sign, digits,
// surrounding blanks allowed; nullopt for anything else or on overflow.
std::optional<int64_t> ParseInt64(std::string_view text);
