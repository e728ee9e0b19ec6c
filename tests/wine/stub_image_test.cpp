// The built DunvexStub.exe: its moved PE header, its resources, and that it
// runs under Windows (Wine) alone and as a setup file made by the builder.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "box_driver.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package_writer.h"
#include "util/file_source_win32.h"
#include "wine_paths.h"

namespace {

std::string StubPath() { return fixture::BuildDir() + "\\bin\\DunvexStub.exe"; }

DWORD RunAndWait(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + program + "\"";
  if (!::CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return 0xFFFFFFFF;
  DWORD code = 0xFFFFFFFE;
  if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(process.hProcess, &code);
  else
    ::TerminateProcess(process.hProcess, code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

std::string Resource(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = ::FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(module, found);
  return std::string(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, found));
}

}  // namespace

TEST(StubImage, HeaderAtOffset256AndRoomForThePackageEnd) {
  auto source = OpenFileForReading(StubPath());
  ASSERT_TRUE(source) << StubPath();
  EXPECT_TRUE(package::IsStubImage(*source));
  EXPECT_EQ(package::PackageEndOffset(*source), 0u);
  uint8_t dos[256];
  ASSERT_TRUE(source->ReadExactly(0, dos, sizeof dos));
  EXPECT_EQ(LoadLE32(&dos[0x3C]), 256u);
  for (int i = 248; i < 256; ++i) EXPECT_EQ(dos[i], 0) << i;
  uint8_t subsystem[2];
  ASSERT_TRUE(source->ReadExactly(256 + 24 + 68, subsystem, 2));
  EXPECT_EQ(subsystem[0], IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(StubImage, ManifestIconAndVersion) {
  HMODULE module = ::LoadLibraryExA(StubPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module);
  const std::string manifest = Resource(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  for (const char* needed :
       {"level=\"requireAdministrator\"", "uiAccess=\"false\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"})
    EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
  EXPECT_FALSE(Resource(module, "MAINICON", MAKEINTRESOURCEA(14)).empty());
  ::FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(StubPath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(::GetFileVersionInfoA(StubPath().c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1);
}

TEST(StubImage, RunsAloneAndAsASetupFile) {
  {
    // Without a package the program is a damaged setup file: it says so.
    fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'o'); });
    EXPECT_EQ(RunAndWait(StubPath()), 0u);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_NE(answerer.Texts()[0].find("Bad CRC!"), std::string::npos) << answerer.Texts()[0];
  }

  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "dunvex-stub-image-test";
  fs::remove_all(dir);
  fs::create_directories(dir / "files");
  std::ofstream(dir / "files" / "Engine.exe", std::ios::binary) << std::string(100000, 'e');
  std::ofstream(dir / "files" / "readme.txt", std::ios::binary) << "hello";
  pack::BuildRequest request;
  request.stub_path = StubPath();
  request.files_folder = (dir / "files").string();
  request.output_path = (dir / "setup.exe").string();
  request.project.has_agent_list = true;
  request.project.product_token = "token";
  pack::BuildResult result;
  std::string error;
  ASSERT_TRUE(pack::BuildPackage(request, result, error)) << error;

  // Read back through Win32 as the stub reads its own file.
  TGFileInfo info(request.output_path);
  ASSERT_TRUE(info.HasPackage());
  EXPECT_EQ(info.Record().files_count, 2u);
  EXPECT_EQ(info.ProductToken(true), "token");
  {
    Win32FileSource file(Win32FileSource::OpenShared(request.output_path));
    EXPECT_TRUE(package::ChecksumVerdict(package::PackageChecksum(file, 74), info.Record().checksum));
  }
  // Wine's C: drive has 4 KB clusters; a UNC path has no cluster size.
  EXPECT_EQ(ClusterSizeOf("C:\\windows"), 4096u);
  EXPECT_EQ(info.RequiredSpace("C:\\"), info.RequiredSpaceForClusterSize(4096));
  EXPECT_EQ(info.RequiredSpace("\\\\server\\share"), info.RequiredSpaceForClusterSize(0));

  EXPECT_EQ(RunAndWait(request.output_path), 0u);
  fs::remove_all(dir);
}
