// Pure parts of the web setup: the agent copy made from the web stub's own
// image, where the full setup file is looked for and fetched from, and the
// download prompt. Kept apart from the Win32 run so the host build tests them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A block appended after the package end shorter than this is dropped from
// the agent copy; a longer one is kept.
inline constexpr uint64_t kDroppedTailLimit = 10000;

// The agent copy of a stub image: a short tail after the package end cut
// off, and the trailer's AgentMode byte, 5 bytes before the package end, set
// to 1 — at the package end whatever follows it. A package end beyond the
// image (a damaged file) leaves the bytes as they are.
std::string MakeAgentCopy(std::string image);

// source with exactly one trailing backslash + name.
std::string WebLocalPath(std::string_view source, std::string_view name);
// source + "/" + name.
std::string WebDownloadUrl(std::string_view source, std::string_view name);

// WebSetupSize as bytes: a decimal integer, 0 when it is not one (or does not
// fit 63 bits).
int64_t ParseSetupSize(std::string_view text);
// The prompt with every "<SIZE>" replaced by the size in MB.
std::string DownloadPromptText(std::string_view prompt, std::string_view setup_size);

// The text that tells the web run the user declined (nothing is shown).
inline constexpr const char* kDeclined = "!";
