// Decisions of the setup run about its temporary folder: the folder's name,
// the drive with the most room, and the text that asks the user when room
// is short. Pure; the Win32 layer measures the drives.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// temp_path (with its trailing backslash) + "SETUP_" + the time word (low 16
// bits) of the executable's DOS date: the same file always gets the same
// folder, so a relaunched copy with the same file time finds it again.
std::string TempFolderName(std::string_view temp_path, uint32_t dos_date);

// The drive (C, D or E) with the most free bytes, where the system
// temporary path's drive wins unless another has strictly more; nullopt
// when that is the temporary path's own drive. `free_bytes` has the three
// measured values (nullopt: not a fixed drive or not writable).
std::optional<char> AlternativeTempDrive(char temp_drive, const std::optional<double> (&free_bytes)[3]);

// The space prompt's text, or empty when no prompt is needed. `text` looks
// a key up in the package's language block with its built-in default.
using LanguageLookup = std::function<std::string(std::string_view key, std::string_view fallback)>;
std::string TempSpacePromptText(bool always_confirm, std::string_view drive, double required,
                                double available, const LanguageLookup& text);

}  // namespace setup
