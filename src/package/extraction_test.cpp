// The extraction walk over hand-made and builder-made packages, with the
// parts and the written files kept in memory.
#include "package/extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "memory_extraction_host.h"
#include "package/checksum.h"
#include "package_fixture.h"
#include "package_writer.h"

using fixture::Bytes;

namespace {

// A package laid out by hand: stub image, lists, entries, trailer.
class HandMadePackage {
 public:
  explicit HandMadePackage(uint8_t version = 2) : file_(fixture::FakeStub()) {
    trailer_ = fixture::BasicTrailer(uint32_t(file_.size()));
    trailer_.version = version;
    for (int i = 0; i < (version == 0 ? 2 : version); ++i) fixture::AppendBlock(file_, "|list|", true);
  }
  HandMadePackage& Stored(const std::string& header, const std::string& content) {
    fixture::AppendBlock(file_, header + std::string(1, '\0') + content, false);
    return *this;
  }
  HandMadePackage& Compressed(const std::string& header, const std::string& content) {
    fixture::AppendBlock(file_, fixture::ZlibCompress(header + std::string(1, '\0') + content), true);
    return *this;
  }
  HandMadePackage& Raw(const std::string& bytes) {
    fixture::Append(file_, bytes);
    return *this;
  }
  package::Trailer& Record() { return trailer_; }
  // Appends the trailer (of `trailer_size` bytes), the end offset and a
  // matching checksum.
  Bytes Finish(uint32_t trailer_size = 74) {
    Bytes file = file_;
    const auto record = package::SerializeTrailer(trailer_);
    Bytes trailer(record.begin(), record.end());
    trailer.resize(trailer_size - 4, 0xEE);
    fixture::Append(file, std::string(trailer.begin(), trailer.end()));
    fixture::AppendLE32(file, trailer_size);
    fixture::SetPackageEnd(file, file.size());
    FixChecksum(file, trailer_size);
    return file;
  }
  static void FixChecksum(Bytes& file, uint32_t trailer_size = 74) {
    MemoryByteSource source(file);
    StoreLE32(&file[file.size() - trailer_size + 16], package::PackageChecksum(source, 74));
  }

 private:
  Bytes file_;
  package::Trailer trailer_;
};

package::ExtractRequest Request(const std::string& part1 = "D:\\setup.exe") {
  package::ExtractRequest request;
  request.part1_path = part1;
  request.target_folder = "C:\\T";
  request.disk_prompt = "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue";
  return request;
}

}  // namespace

// First in this file: only the run's first failed write is shown to the user.
TEST(Extraction, RefusesNamesThatLeaveTheTargetFolder) {
  fixture::MemoryExtractionHost host;
  host.parts["D:\\setup.exe"] = HandMadePackage()
                                    .Stored("|..\\evil.txt|0|", "x")
                                    .Stored("|C:\\Windows\\evil.txt|0|", "x")
                                    .Stored("|sub/evil.txt|0|", "x")
                                    .Stored("|..|0|", "x")
                                    .Stored("|a?b|0|", "x")
                                    .Stored("|good.txt|0|", "fine")
                                    .Finish();
  const int before = package::ExtractionErrorCount();
  const auto result = package::ExtractPackage(Request(), host);
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(host.files.size(), 1u);
  EXPECT_EQ(host.files["C:\\T\\good.txt"], "fine");
  EXPECT_EQ(package::ExtractionErrorCount() - before, 5);
  ASSERT_EQ(host.Count("error: "), 1);
  EXPECT_NE(host.events[std::distance(host.events.begin(),
                                      std::find_if(host.events.begin(), host.events.end(),
                                                   [](auto& e) { return e.starts_with("error: "); }))]
                .find("C:\\T\\..\\evil.txt<P><P>Unable to save Extracted File!<P><P>The file name is not a plain file name; the file was not written.<P>  Data Size: <T>1 "
                      "Bytes<P>  File Size:  <T>0 Bytes<P>  Bytes Free: <T>1000000000 Bytes"),
            std::string::npos);
}

TEST(Extraction, WritesEveryKindOfEntry) {
  fixture::MemoryExtractionHost host;
  const std::string big = fixture::Noise(200000, 5);  // several read and inflate chunks
  HandMadePackage package(3);              // three lists: entries start after the third block
  package.Record().files_count = 5;
  host.parts["D:\\setup.exe"] = package.Stored("|a.txt|0|", "abc")
                                    .Compressed("|big.bin|1234567|", big)
                                    .Stored("|empty.txt|0|", "")
                                    .Compressed("|c.txt|0|", "one")
                                    .Stored("|c.txt|0|", "two")
                                    .Stored("", "entry without a name")
                                    .Raw("\xF2\xFF\xFF\xFF" "no-zero-at-all")
                                    .Compressed("|Engine.exe* /X|0|", "MZengine")
                                    .Finish();
  const auto result = package::ExtractPackage(Request(), host);
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(result.engine_command, "Engine.exe* /X");
  const std::map<std::string, std::string> expected = {{"C:\\T\\a.txt", "abc"},
                                                       {"C:\\T\\big.bin", big},
                                                       {"C:\\T\\empty.txt", ""},
                                                       {"C:\\T\\c.txt", "onetwo"},
                                                       {"C:\\T\\Engine.exe", "MZengine"}};
  EXPECT_TRUE(host.files == expected);
  EXPECT_EQ(host.dates.size(), 1u);  // date 0 leaves the file's date alone
  EXPECT_EQ(host.dates["C:\\T\\big.bin"], 1234567u);
  // reset(0), reset(FilesCount), then one step per distinct file.
  EXPECT_EQ(host.events[0], "reset 0");
  EXPECT_EQ(host.Count("reset 5"), 1);
  EXPECT_EQ(host.Count("step"), 5);
  EXPECT_EQ(host.Count("trace: FileInfo.FilesCount=5"), 1);
  EXPECT_EQ(host.Count("trace: UnCompressTime: 0 MS"), 1);
  EXPECT_EQ(host.Count("error: "), 0);
}

TEST(Extraction, LongerTrailerEndsTheWalkWhereItBegins) {
  fixture::MemoryExtractionHost host;
  host.parts["D:\\setup.exe"] = HandMadePackage().Stored("|a.txt|0|", "abc").Finish(90);
  const auto result = package::ExtractPackage(Request(), host);
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(host.files["C:\\T\\a.txt"], "abc");
  EXPECT_EQ(host.Count("error: "), 0);
}

TEST(Extraction, DamagedPackagesStopWithoutAnEngine) {
  struct Case {
    const char* what;
    std::function<Bytes()> make;
    const char* message;
  } cases[] = {
      {"a block cut short",
       [] {
         Bytes file = HandMadePackage().Stored("|Engine.exe*|0|", "MZ").Stored("|a.txt|0|", "abc").Finish();
         // The second entry claims more bytes than stand before the trailer.
         const size_t length_at = 1024 + 2 * 10 + 4 + 16;
         StoreLE32(&file[length_at], uint32_t(-500));
         HandMadePackage::FixChecksum(file);
         return file;
       },
       "incomplete or damaged"},
      {"a corrupt zlib stream",
       [] {
         Bytes file = HandMadePackage().Stored("|Engine.exe*|0|", "MZ").Compressed("|b.txt|0|", fixture::Noise(5000, 1)).Finish();
         for (size_t i = 1024 + 20 + 20 + 10; i < 1024 + 20 + 20 + 60; ++i) file[i] ^= 0x5A;
         HandMadePackage::FixChecksum(file);
         return file;
       },
       "Unable to decompress"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fixture::MemoryExtractionHost host;
    host.parts["D:\\setup.exe"] = c.make();
    const auto result = package::ExtractPackage(Request(), host);
    EXPECT_TRUE(result.engine_command.empty());
    EXPECT_TRUE(result.error_shown);
    ASSERT_EQ(host.Count("error: "), 1);
    EXPECT_NE(std::find_if(host.events.begin(), host.events.end(),
                           [&](auto& e) { return e.find(c.message) != std::string::npos; }),
              host.events.end());
  }
}

TEST(Extraction, ChecksumMismatchStopsBeforeTheEntries) {
  fixture::MemoryExtractionHost host;
  Bytes file = HandMadePackage().Stored("|Engine.exe*|0|", "MZ").Finish();
  file[1050] ^= 1;  // inside the entry
  host.parts["D:\\setup.exe"] = file;
  const auto result = package::ExtractPackage(Request(), host);
  EXPECT_FALSE(result.verdict);
  EXPECT_TRUE(result.engine_command.empty());
  EXPECT_TRUE(host.files.empty());
}

class SpannedExtraction : public ::testing::Test {
 protected:
  // Builds a three-part package with the real builder and loads its parts
  // as D:\setup.exe.001, .002 and .003.
  void SetUp() override {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("dunvex-spanned-" + std::to_string(::getpid()));
    fs::create_directories(dir / "files");
    const auto stub = fixture::FakeStub(2048);
    std::ofstream(dir / "stub.exe", std::ios::binary).write(reinterpret_cast<const char*>(stub.data()), stub.size());
    std::ofstream(dir / "files" / "Engine.exe", std::ios::binary) << fixture::Noise(1500, 2);
    std::ofstream(dir / "files" / "data.bin", std::ios::binary) << fixture::Noise(5000, 3);
    pack::BuildRequest request;
    request.stub_path = (dir / "stub.exe").string();
    request.files_folder = (dir / "files").string();
    request.output_path = (dir / "setup.exe.001").string();
    request.project.compress = false;
    request.project.entry_size = 1000;
    request.project.part_size = 2048 + 2000;
    request.project.has_agent_list = true;
    pack::BuildResult result;
    std::string error;
    ASSERT_TRUE(pack::BuildPackage(request, result, error)) << error;
    for (size_t i = 0; i < result.parts.size(); ++i) {
      std::ifstream in(result.parts[i], std::ios::binary);
      all_parts.push_back(Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    fs::remove_all(dir);
    ASSERT_GE(all_parts.size(), 3u);
    host.parts["D:\\setup.exe.001"] = all_parts[0];
    for (size_t i = 2; i < all_parts.size(); ++i) host.parts[package::PartFilePath("D:\\setup.exe.001", int(i + 1))] = all_parts[i];
  }
  fixture::MemoryExtractionHost host;
  std::vector<Bytes> all_parts;
};

TEST_F(SpannedExtraction, CancelAtTheDiskPromptEmptiesTheEngineCommand) {
  const auto result = package::ExtractPackage(Request("D:\\setup.exe.001"), host);
  EXPECT_TRUE(result.engine_command.empty());
  EXPECT_EQ(host.Count("prompt: Please insert <B>DISK #2</B> and press OK to continue"), 1);
  EXPECT_EQ(host.Count("eject D:\\setup.exe.002"), 1);
  EXPECT_GE(host.Count("autoplay"), 1);
}

TEST_F(SpannedExtraction, OkAfterThePartAppearsGoesOn) {
  host.prompt_answers = {true, true};
  int prompts = 0;
  host.on_prompt = [&](fixture::MemoryExtractionHost& h) {
    // The user inserts the disk only after the second prompt.
    if (++prompts == 2) h.parts["D:\\setup.exe.002"] = all_parts[1];
  };
  const auto result = package::ExtractPackage(Request("D:\\setup.exe.001"), host);
  EXPECT_EQ(prompts, 2);
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(result.engine_command, "Engine.exe*");
  EXPECT_TRUE(host.files["C:\\T\\data.bin"] == fixture::Noise(5000, 3));  // split over entries and parts
  EXPECT_TRUE(host.files["C:\\T\\Engine.exe"] == fixture::Noise(1500, 2));
}

TEST_F(SpannedExtraction, ForcePromptAsksEvenWhenThePartIsThere) {
  host.parts["D:\\setup.exe.002"] = all_parts[1];
  host.prompt_answers = {true, true, true};
  auto request = Request("D:\\setup.exe.001");
  request.force_prompt = true;
  const auto result = package::ExtractPackage(request, host);
  EXPECT_EQ(host.Count("prompt: "), int(all_parts.size()) - 1);
  EXPECT_EQ(result.engine_command, "Engine.exe*");
}

TEST_F(SpannedExtraction, WrongChecksumInPartTwo) {
  Bytes broken = all_parts[1];
  broken[10] ^= 0xFF;
  host.parts["D:\\setup.exe.002"] = broken;
  const auto result = package::ExtractPackage(Request("D:\\setup.exe.001"), host);
  EXPECT_FALSE(result.verdict);
  EXPECT_TRUE(result.engine_command.empty());
  EXPECT_TRUE(host.files.count("C:\\T\\data.bin"));  // part 1's entries were written
}

TEST(Extraction, AgentCopyIsTheStubWithListsAndAnAgentTrailer) {
  HandMadePackage package;
  package.Record().flags = package::kShowBusyBar;
  package.Record().create_agent = 1;
  package.Record().reserved2 = 0x1122334455667788ull;
  const Bytes file = package.Stored("|a.txt|0|", "abc").Finish();
  const size_t entries_start = 1024 + 2 * 10;
  struct Case {
    const char* part1;
    const char* agent_name;
    const char* written_as;
  } cases[] = {
      {"D:\\setup.exe", "Agent.exe", "C:\\T\\Agent.exe"},
      {"D:\\SETUP.EXE.001", "Agent.exe", "C:\\T\\Agent.exe"},
      {"D:\\setup.exe", "..\\..\\Agent.exe", "C:\\T\\Agent.exe"},  // only the file name counts
      {"D:\\setup.msi", "Agent.exe", nullptr},
      {"D:\\setup.exe", "", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.part1) + " " + c.agent_name);
    fixture::MemoryExtractionHost host;
    host.parts[c.part1] = file;
    auto request = Request(c.part1);
    request.agent_copy_name = c.agent_name;
    package::ExtractPackage(request, host);
    if (!c.written_as) {
      EXPECT_EQ(host.files.size(), 1u);
      continue;
    }
    ASSERT_TRUE(host.files.count(c.written_as));
    const std::string& copy = host.files[c.written_as];
    ASSERT_EQ(copy.size(), entries_start + 74);
    Bytes expected_head(file.begin(), file.begin() + entries_start);
    for (int i = 252; i < 256; ++i) expected_head[i] = 0;
    EXPECT_TRUE(copy.compare(0, entries_start, std::string(expected_head.begin(), expected_head.end())) == 0);
    const package::Trailer t =
        package::ParseTrailer(std::span(reinterpret_cast<const uint8_t*>(copy.data()) + entries_start, 74));
    package::Trailer expected = package::ParseTrailer(std::span(file.data() + file.size() - 74, 74));
    expected.agent_mode = 1;
    EXPECT_EQ(t, expected);
    EXPECT_EQ(host.dates[c.written_as], 0x12345678u);
    EXPECT_EQ(host.Count(std::string("trace: 7 New AU-Agent: ") + c.written_as), 1);
  }
}

TEST(Extraction, WriteFailuresAreCountedAndExtractionGoesOn) {
  fixture::MemoryExtractionHost host;
  host.fail_writes = true;
  host.parts["D:\\setup.exe"] =
      HandMadePackage().Stored("|a.txt|0|", "abc").Stored("|b.txt|0|", "").Stored("|Engine.exe*|0|", "MZ").Finish();
  const int before = package::ExtractionErrorCount();
  const auto result = package::ExtractPackage(Request(), host);
  EXPECT_EQ(package::ExtractionErrorCount() - before, 3);
  EXPECT_EQ(result.engine_command, "Engine.exe*");  // the run is not ended by failed writes
  EXPECT_TRUE(result.verdict);
}
