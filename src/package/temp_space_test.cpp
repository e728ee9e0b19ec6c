// Temporary-folder decisions of the setup run.
#include "package/temp_space.h"

#include <gtest/gtest.h>

namespace {

using setup::AlternativeTempDrive;
using setup::TempSpacePromptText;

std::string Defaults(std::string_view, std::string_view fallback) { return std::string(fallback); }

TEST(TempSpace, FolderNameUsesTheTimeWord) {
  EXPECT_EQ(setup::TempFolderName("C:\\Temp\\", 0x5A2B7C3Du), "C:\\Temp\\SETUP_31805");
  EXPECT_EQ(setup::TempFolderName("C:\\Temp\\", 0x5A2B0000u), "C:\\Temp\\SETUP_0");
}

TEST(TempSpace, AlternativeDriveHasStrictlyMostRoom) {
  using Free = std::optional<double>;
  struct Case {
    char temp_drive;
    Free free[3];
    std::optional<char> expected;
  } cases[] = {
      {'C', {Free(5e9), Free(9e9), std::nullopt}, 'D'},
      {'c', {Free(9e9), Free(5e9), Free(1e9)}, std::nullopt},
      {'C', {Free(9e9), Free(9e9), std::nullopt}, std::nullopt},  // a tie keeps the first
      {'D', {Free(9e9), Free(9e9), std::nullopt}, 'C'},           // max starts at 0, C comes first
      {'C', {std::nullopt, std::nullopt, std::nullopt}, std::nullopt},
      {'Z', {std::nullopt, std::nullopt, Free(1)}, 'E'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlternativeTempDrive(c.temp_drive, c.free), c.expected) << c.temp_drive;
}

TEST(TempSpace, PromptTexts) {
  const double mb = 1048576;
  EXPECT_EQ(TempSpacePromptText(false, "C:", 15 * mb, 100 * mb, Defaults), "");
  EXPECT_EQ(TempSpacePromptText(true, "C:", 15 * mb, 100 * mb, Defaults),
            "Dunvex will extract files to your Temp Drive (C:)<P>"
            "<P>Estimated space required on your Temp drive is: <T>  15.0 MB<P>"
            "Free space available on your Temp drive is: <T>  100.0 MB<P>"
            "<P>Continue with Setup?<P>");
  // Too little room replaces the notice, whether or not it was asked for.
  for (bool always : {false, true}) {
    const std::string text = TempSpacePromptText(always, "D:", 1.5 * mb, 0.5 * mb, Defaults);
    EXPECT_EQ(text.rfind("Limited Free Space on your Temp Drive! (D:)<P>", 0), 0u) << text;
    EXPECT_NE(text.find("<T>  1.50 MB"), std::string::npos) << text;
    EXPECT_NE(text.find("<T>  0.500 MB"), std::string::npos) << text;
    EXPECT_EQ(text.find("Dunvex will extract"), std::string::npos);
  }
  // The package's own texts replace the defaults, placeholders included.
  const auto german = [](std::string_view key, std::string_view fallback) -> std::string {
    if (key == "s3") return "Wenig Platz auf <DRIVE>!<P>";
    if (key == "s6") return "Weiter?";
    return std::string(fallback);
  };
  const std::string text = TempSpacePromptText(false, "E:", 2 * mb, mb, german);
  EXPECT_EQ(text.rfind("Wenig Platz auf E:!<P>", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 7), "Weiter?");
}

}  // namespace
