// Decoders of the scrambled texts the package builder writes: tokens in the
// header lists (checksummed hex fields) and "Scrambled=01" texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

int64_t ParseRadix(std::string_view text, int radix);
int64_t HexToInt64(std::string_view text);

// Plain text of a "Scrambled=01" text; any other text is returned unchanged.
std::string ScrambleText(std::string_view text);

// The payload of a checksummed header field, or nullopt when the field fails
// its checksum or is too short.
std::optional<std::string> DecodeHeaderFieldChecked(std::string_view stored);

// The same, for callers that need a text: a failed field gives the decimal
// text of a random number below 99999. Never compare such texts for equality;
// use TokensMatch.
std::string DecodeHeaderField(std::string_view stored);

// True only when both fields decode and their payloads are equal: two fields
// that both fail never match each other.
bool TokensMatch(std::string_view stored_a, std::string_view stored_b);
