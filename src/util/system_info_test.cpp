// Tests of the system queries under a real system: names, the registration
// data with its fallbacks, file versions, window texts, placement and
// scaling, the shell, the developer switch and the locale's separators.
#include "util/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "util/files.h"
#include "util/settings.h"
#include "util/string_ops.h"
#include "util/win32_handle.h"

namespace {

using namespace std::string_literals;

std::string Environment(const char* name) {
  char value[256] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? std::string(value, length) : std::string();
}

TEST(SystemNamesTest, UserAndComputerAreNamed) {
  const std::string user = UserName();
  const std::string computer = ComputerName();
  EXPECT_FALSE(user.empty());
  EXPECT_EQ(user, Trim(user));
  EXPECT_TRUE(SameTextNoCase(computer, Environment("COMPUTERNAME"))) << computer;
}

TEST(SystemNamesTest, AccountDomainNamesTheAccountsDomain) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Administrators", "BUILTIN"},
      // A stand-alone machine is its users' domain.
      {UserName(), ComputerName()},
      {"no_such_account_dvx_847", ""},
  };
  for (const auto& [account, domain] : cases) {
    EXPECT_TRUE(SameTextNoCase(AccountDomain(account), domain)) << account << ": " << AccountDomain(account);
  }
  EXPECT_EQ(UserDomain(), AccountDomain(UserName()));
}

// Saves a value of the system's version key and puts it back afterwards.
class SavedVersionValue {
 public:
  explicit SavedVersionValue(std::string name) : name_(std::move(name)) {
    EXPECT_TRUE(IsWindowsNT());
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    const RegKey owner(key);
    std::string data(4096, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (::RegQueryValueExA(key, name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(data.data()),
                           &size) == ERROR_SUCCESS)
      saved_ = data.substr(0, size);
  }
  SavedVersionValue(const SavedVersionValue&) = delete;
  SavedVersionValue& operator=(const SavedVersionValue&) = delete;
  ~SavedVersionValue() {
    if (saved_) {
      Set(type_, *saved_);
    } else {
      Remove();
    }
  }

  void Set(DWORD type, const std::string& data) const {
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const RegKey owner(key);
    ASSERT_EQ(::RegSetValueExA(key, name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }
  void Remove() const {
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const RegKey owner(key);
    ::RegDeleteValueA(key, name_.c_str());
  }

 private:
  static constexpr const char* kSubKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  std::string name_;
  DWORD type_ = REG_SZ;
  std::optional<std::string> saved_;
};

TEST(RegistrationTest, OwnerAndOrganizationAreTrimmedWithTheirDefaults) {
  EXPECT_EQ(WindowsVersionKey(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
  const SavedVersionValue owner("RegisteredOwner");
  const SavedVersionValue organization("RegisteredOrganization");
  owner.Set(REG_SZ, "  Jane Doe \t\0"s);
  organization.Set(REG_SZ, " Acme Ltd  \0"s);
  EXPECT_EQ(RegisteredOwner(), "Jane Doe");
  EXPECT_EQ(RegisteredOrganization(), "Acme Ltd");
  owner.Remove();
  organization.Remove();
  EXPECT_EQ(RegisteredOwner(), UserName());
  EXPECT_EQ(RegisteredOrganization(), "");
}

class FileVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    text_file_ = TempDir(true) + "dvx_version_" + std::to_string(::GetCurrentProcessId()) + ".txt";
    ASSERT_TRUE(WriteToFile(text_file_, "not a program"));
  }
  void TearDown() override { ::DeleteFileA(text_file_.c_str()); }
  std::string text_file_;
};

TEST_F(FileVersionTest, ReadsTheFixedFileVersion) {
  // The test program's resource has file version 1.2.3.4, product version
  // 9.8.7.6 and the text "5.6.7.8": only the first is the file version.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "1.2.3.4"},
      {ProgramFile(), "1.2.3.4"},
      {text_file_, ""},
      {text_file_ + ".missing", ""},
  };
  for (const auto& [path, version] : cases) EXPECT_EQ(FileVersionText(path), version) << "[" << path << "]";
  const std::string system = FileVersionText(SystemDir(true) + "kernel32.dll");
  EXPECT_TRUE(std::regex_match(system, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+"))) << system;
}

TEST(WindowTextTest, GivesUpTo1023CharactersOfTheText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Dunvex window", "Dunvex window"},
      {"", ""},
      {std::string(1500, 'w'), std::string(1023, 'w')},
  };
  for (const auto& [title, expected] : cases) {
    const HWND window = ::CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), expected) << title.size();
    ::DestroyWindow(window);
    EXPECT_EQ(WindowText(window), "");
  }
  EXPECT_EQ(WindowText(nullptr), "");
}

TEST(PlacementTest, CentresInTheWorkAreaWithinAPixel) {
  RECT area{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
  const int area_width = area.right - area.left;
  const int area_height = area.bottom - area.top;
  const std::vector<std::pair<int, int>> sizes = {
      {300, 200}, {301, 201}, {1, 1}, {area_width, area_height}, {area_width + 101, area_height + 3}};
  for (const auto& [width, height] : sizes) {
    const WindowOrigin at = CenterInWorkArea(width, height);
    const int left_gap = at.x - area.left;
    const int right_gap = area.right - (at.x + width);
    const int top_gap = at.y - area.top;
    const int bottom_gap = area.bottom - (at.y + height);
    EXPECT_LE(std::abs(right_gap - left_gap), 1) << width << "x" << height;
    EXPECT_LE(std::abs(bottom_gap - top_gap), 1) << width << "x" << height;
  }
}

TEST(PlacementTest, PointsScaleWithTheScreenResolution) {
  const HDC screen = ::GetDC(nullptr);
  const int pixels_per_inch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(PointsToPixels(72), pixels_per_inch);
  EXPECT_EQ(PointsToPixels(144), 2 * pixels_per_inch);
  EXPECT_EQ(PointsToPixels(0), 0);
}

TEST(ShellOpenTest, ReportsWhetherTheShellOpenedTheFile) {
  EXPECT_FALSE(ShellOpen(SystemDir(true) + "dvx_no_such_file_847.exe", SW_HIDE));
  EXPECT_FALSE(ShellOpen("", SW_HIDE));
  // A system program that ends at once.
  EXPECT_TRUE(ShellOpen(SystemDir(true) + "hostname.exe", SW_HIDE));
}

TEST(DeveloperModeTest, ReadsTheVariableOnceForTheProcess) {
  // No other test of this program asks for the switch, so this is the read.
  ASSERT_TRUE(::SetEnvironmentVariableA("DVX", "847"));
  EXPECT_TRUE(DeveloperMode());
  ASSERT_TRUE(::SetEnvironmentVariableA("DVX", nullptr));
  EXPECT_TRUE(DeveloperMode());
}

// Sets a locale item of the user for the scope and restores it.
class LocaleItem {
 public:
  LocaleItem(LCTYPE item, const char* value) : item_(item) {
    char saved[16] = {};
    EXPECT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, item, saved, sizeof saved), 0);
    saved_ = saved;
    EXPECT_TRUE(::SetLocaleInfoA(LOCALE_USER_DEFAULT, item, value));
  }
  LocaleItem(const LocaleItem&) = delete;
  LocaleItem& operator=(const LocaleItem&) = delete;
  ~LocaleItem() { ::SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, saved_.c_str()); }

 private:
  LCTYPE item_;
  std::string saved_;
};

TEST(LocaleTest, SeparatorsFollowTheUsersSettings) {
  const struct {
    const char* date;
    const char* time;
  } cases[] = {{".", "-"}, {"/", ":"}, {"-", "."}};
  for (const auto& c : cases) {
    const LocaleItem date(LOCALE_SDATE, c.date);
    const LocaleItem time(LOCALE_STIME, c.time);
    const DateTimeSeparators separators = LocaleDateTimeSeparators();
    EXPECT_EQ(separators.date, c.date[0]);
    EXPECT_EQ(separators.time, c.time[0]);
  }
}

TEST(LocaleTest, NowIsTheLocalTime) {
  // Taken between two readings of the clock, the parts equal one of them
  // unless a second passed on both sides.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SYSTEMTIME before{};
    SYSTEMTIME after{};
    ::GetLocalTime(&before);
    const DateTimeParts now = NowDateTimeParts();
    ::GetLocalTime(&after);
    if (before.wSecond != after.wSecond) continue;
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_EQ(now.month, before.wMonth);
    EXPECT_EQ(now.day, before.wDay);
    EXPECT_EQ(now.hour, before.wHour);
    EXPECT_EQ(now.minute, before.wMinute);
    EXPECT_EQ(now.second, before.wSecond);
    return;
  }
  ADD_FAILURE() << "the clock never held still";
}

}  // namespace
