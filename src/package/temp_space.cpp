// Temporary-folder decisions of the setup run.
#include "package/temp_space.h"

#include "util/string_ops.h"
#include "util/text_format.h"

namespace setup {

std::string TempFolderName(std::string_view temp_path, uint32_t dos_date) {
  return std::string(temp_path) + "SETUP_" + std::to_string(dos_date & 0xFFFFu);
}

std::optional<char> AlternativeTempDrive(char temp_drive, const std::optional<double> (&free_bytes)[3]) {
  char best = UpperAscii(temp_drive);
  double most = 0;
  for (int i = 0; i < 3; ++i) {
    if (free_bytes[i] && *free_bytes[i] > most) {
      most = *free_bytes[i];
      best = static_cast<char>('C' + i);
    }
  }
  if (best == UpperAscii(temp_drive)) return std::nullopt;
  return best;
}

std::string TempSpacePromptText(bool always_confirm, std::string_view drive, double required,
                                double available, const LanguageLookup& text) {
  std::string prompt;
  if (always_confirm) prompt = text("s2", "Dunvex will extract files to your Temp Drive (<DRIVE>)<P>");
  if (required >= available) prompt = text("s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>");
  if (prompt.empty()) return "";
  prompt += text("s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>");
  prompt += text("s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>");
  prompt += text("s6", "<P>Continue with Setup?<P>");
  prompt = ReplaceStr(prompt, "<DRIVE>", drive);
  prompt = ReplaceStr(prompt, "<SPACE_REQ>", FormatMB(static_cast<int64_t>(required)));
  return ReplaceStr(prompt, "<SPACE_AVAIL>", FormatMB(static_cast<int64_t>(available)));
}

}  // namespace setup
