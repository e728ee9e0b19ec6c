// Tests of run-time binding from the system folder. The build puts DLLs
// beside this program: "version.dll", named like a system library the stub
// binds, and "dvxplanted.dll", which exists only here. Each exports
// PlantedLibraryMarker.
#include "util/system_library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/files.h"
#include "util/string_ops.h"

namespace {

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
  return std::string(path, length);
}

std::string ModuleOf(FARPROC function) {
  HMODULE module = nullptr;
  if (!::GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(function), &module))
    return {};
  return ModulePath(module);
}

bool InSystemFolder(const std::string& path) {
  return SameTextNoCase(path.substr(0, path.find_last_of('\\') + 1), SystemDir(true));
}

TEST(SystemLibraryTest, PlantedLibrariesBesideTheProgramAreNotLoaded) {
  for (const char* planted : {"version.dll", "dvxplanted.dll"}) {
    const std::string path = ProgramDir(true) + planted;
    ASSERT_NE(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  }

  // Wine's own libraries import version.dll as the process starts, and Wine
  // then runs its built-in code under the name of the file it found beside
  // the program; only a library that this call loads shows its folder.
  const bool loaded_before = ::GetModuleHandleA("version.dll") != nullptr;
  const HMODULE version = LoadSystemLibrary("version.dll");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(::GetProcAddress(version, "PlantedLibraryMarker"), nullptr);
  const FARPROC size_query = LoadProc("version.dll", "GetFileVersionInfoSizeA");
  ASSERT_NE(size_query, nullptr);
  EXPECT_EQ(LoadProc("version.dll", "PlantedLibraryMarker"), nullptr);
  if (!loaded_before) {
    EXPECT_TRUE(InSystemFolder(ModulePath(version))) << ModulePath(version);
    EXPECT_TRUE(InSystemFolder(ModuleOf(size_query))) << ModuleOf(size_query);
  }

  EXPECT_EQ(LoadSystemLibrary("dvxplanted.dll"), nullptr);
  EXPECT_EQ(LoadProc("dvxplanted.dll", "PlantedLibraryMarker"), nullptr);
  // Loaded by bare name it would have been found: only the full path keeps
  // it out.
  const HMODULE bare = ::LoadLibraryA("dvxplanted.dll");
  ASSERT_NE(bare, nullptr);
  EXPECT_NE(::GetProcAddress(bare, "PlantedLibraryMarker"), nullptr);
  ::FreeLibrary(bare);
}

TEST(SystemLibraryTest, LoadProcFindsOnlyFunctionsOfSystemLibraries) {
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const FARPROC tick_count = ::GetProcAddress(kernel, "GetTickCount");
  ASSERT_NE(tick_count, nullptr);
  struct Case {
    std::string library, function;
    FARPROC expected;
  };
  const std::vector<Case> cases = {
      {"kernel32.dll", "GetTickCount", tick_count},
      {"KERNEL32.DLL", "GetTickCount", tick_count},
      {"kernel32", "GetTickCount", tick_count},
      {"kernel32.dll", "NoSuchFunctionDvx847", nullptr},
      {"kernel32.dll", "", nullptr},
      {"dvx_no_such_library_847.dll", "GetTickCount", nullptr},
      {"", "GetTickCount", nullptr},
      // Names that carry a folder could lead out of the system folder.
      {SystemDir(true) + "kernel32.dll", "GetTickCount", nullptr},
      {"..\\system32\\kernel32.dll", "GetTickCount", nullptr},
      {"./kernel32.dll", "GetTickCount", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LoadProc(c.library, c.function), c.expected) << c.library << "!" << c.function;
  }
  const auto typed = LoadProcAs<decltype(&::GetTickCount)>("kernel32.dll", "GetTickCount");
  ASSERT_NE(typed, nullptr);
  EXPECT_NEAR(static_cast<double>(typed()), static_cast<double>(::GetTickCount()), 1000.0);
}

TEST(SystemLibraryTest, KeepsTheProcessErrorMode) {
  const UINT before = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  EXPECT_EQ(LoadSystemLibrary("dvx_no_such_library_847.dll"), nullptr);
  EXPECT_NE(LoadSystemLibrary("kernel32.dll"), nullptr);
  EXPECT_EQ(::GetErrorMode(), UINT{SEM_FAILCRITICALERRORS});
  ::SetErrorMode(before);
}

}  // namespace
