// The package writer. Files are read and compressed one entry at a time, so
// memory stays at about twice the entry size whatever the files' sizes.
#include "package_writer.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>

#include "package/block_walk.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package/package_format.h"
#include "scramble_encode.h"
#include "util/path_ops.h"
#include "util/string_ops.h"

namespace fs = std::filesystem;

namespace pack {
namespace {

#ifdef _WIN32
int SeekFile(std::FILE* f, uint64_t offset) { return fseeko64(f, int64_t(offset), SEEK_SET); }
#else
int SeekFile(std::FILE* f, uint64_t offset) { return fseeko(f, off_t(offset), SEEK_SET); }
#endif

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct SourceFile {
  std::string name;  // name in the package (engine with its marker)
  fs::path path;
  uint64_t size = 0;
  uint32_t dos_date = 0;
};

uint32_t DosDateOf(const fs::path& path) {
  std::error_code ec;
  const auto written = fs::last_write_time(path, ec);
  if (ec) return 0;
  const auto system = std::chrono::file_clock::to_sys(written);
  const std::time_t t = std::chrono::system_clock::to_time_t(system);
  const std::tm* local = std::localtime(&t);
  if (!local || local->tm_year < 80) return 0;
  const uint32_t date = uint32_t((local->tm_year - 80) << 9 | (local->tm_mon + 1) << 5 | local->tm_mday);
  const uint32_t time = uint32_t(local->tm_hour << 11 | local->tm_min << 5 | local->tm_sec / 2);
  return date << 16 | time;
}

std::string MakeList(std::initializer_list<std::string> items) {
  std::string list = "|";
  for (const auto& item : items) list += item + "|";
  return list;
}

void AppendLE32(std::string& out, uint32_t value) {
  uint8_t bytes[4];
  StoreLE32(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 4);
}

bool Deflate(const std::string& input, int level, std::string& output) {
  z_stream stream{};
  if (deflateInit(&stream, level) != Z_OK) return false;
  output.resize(deflateBound(&stream, uLong(input.size())));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  stream.avail_in = uInt(input.size());
  stream.next_out = reinterpret_cast<Bytef*>(output.data());
  stream.avail_out = uInt(output.size());
  const int result = deflate(&stream, Z_FINISH);
  output.resize(stream.total_out);
  deflateEnd(&stream);
  return result == Z_STREAM_END;
}

class Writer {
 public:
  Writer(const BuildRequest& request, BuildResult& result, std::string& error)
      : request_(request), project_(request.project), result_(result), error_(error) {}

  bool Run();

 private:
  bool Fail(const std::string& message) {
    error_ = message;
    return false;
  }
  bool CollectFiles();
  bool OpenPart();
  bool Write(const std::string& bytes);
  bool WriteBlock(const std::string& data, bool compressed);
  bool FinishPart(bool another_follows);
  bool WriteFileEntries(const SourceFile& file);
  package::Trailer BaseTrailer() const;

  const BuildRequest& request_;
  const Project& project_;
  BuildResult& result_;
  std::string& error_;

  std::vector<SourceFile> files_;
  std::array<uint32_t, package::kSpaceTableEntries> space_{};
  std::string header_lists_;
  uint8_t version_ = 2;

  File part_;
  std::string part_path_;
  uint64_t position_ = 0;
  uint32_t header_offset_ = 0;
  bool part_has_entries_ = false;
};

bool Writer::CollectFiles() {
  if (project_.web_setup) return true;
  std::error_code ec;
  const fs::path folder(request_.files_folder);
  if (!fs::is_directory(folder, ec)) return Fail("files folder not found: " + request_.files_folder);
  bool engine_found = false;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory())
      return Fail("sub-folders are not supported (a package holds plain file names): " + name);
    if (!entry.is_regular_file()) continue;
    if (!IsPlainFileName(name)) return Fail("not a plain file name for Windows: " + name);
    SourceFile file{name, entry.path(), entry.file_size(), DosDateOf(entry.path())};
    if (SameTextNoCase(name, project_.engine)) {
      engine_found = true;
      file.name = name + "*" + (project_.engine_arguments.empty() ? "" : " " + project_.engine_arguments);
    }
    files_.push_back(std::move(file));
  }
  if (ec) return Fail("cannot list " + request_.files_folder + ": " + ec.message());
  if (!engine_found) return Fail("the engine " + project_.engine + " is not in " + request_.files_folder);
  // Plain files in name order, the engine last.
  std::sort(files_.begin(), files_.end(), [](const SourceFile& a, const SourceFile& b) {
    const bool a_engine = a.name.find('*') != std::string::npos;
    const bool b_engine = b.name.find('*') != std::string::npos;
    return a_engine != b_engine ? b_engine : a.name < b.name;
  });
  return true;
}

package::Trailer Writer::BaseTrailer() const {
  package::Trailer t;
  t.mark = 1;
  t.version = version_;
  t.files_count = uint32_t(files_.size());
  t.magic = package::kMagic;
  t.space_table = space_;
  t.flags = project_.flags;
  t.web_setup = project_.web_setup;
  t.confirm_download = project_.confirm_download;
  t.create_agent = project_.create_agent;
  t.agent_mode = project_.agent_mode;
  t.trailer_size = package::kTrailerSize;
  return t;
}

bool Writer::OpenPart() {
  const int number = int(result_.parts.size()) + 1;
  part_path_ = number == 1 ? request_.output_path : PartPath(request_.output_path, number);
  part_.reset(std::fopen(part_path_.c_str(), "wb"));
  if (!part_) return Fail("cannot create " + part_path_);
  result_.parts.push_back(part_path_);
  position_ = 0;
  part_has_entries_ = false;
  return true;
}

bool Writer::Write(const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), part_.get()) != bytes.size())
    return Fail("cannot write " + part_path_);
  position_ += bytes.size();
  return true;
}

bool Writer::WriteBlock(const std::string& data, bool compressed) {
  if (data.size() > 0x7FFFFFFF) return Fail("an entry is too large");
  const uint64_t needed = 4 + data.size() + package::kTrailerSize;
  if (project_.part_size > 0 && part_has_entries_ && position_ + needed > project_.part_size) {
    if (!FinishPart(true) || !OpenPart()) return false;
    header_offset_ = 0;
  }
  std::string length;
  AppendLE32(length, compressed ? uint32_t(data.size()) : uint32_t(-int64_t(data.size())));
  part_has_entries_ = true;
  ++result_.entries;
  return Write(length) && Write(data);
}

bool Writer::WriteFileEntries(const SourceFile& file) {
  File input(std::fopen(file.path.string().c_str(), "rb"));
  if (!input) return Fail("cannot read " + file.path.string());
  const std::string header = package::MakeEntryHeader(file.name, file.dos_date) + std::string(1, '\0');
  std::string content;
  std::string packed;
  uint64_t done = 0;
  do {
    const size_t piece = size_t(std::min<uint64_t>(project_.entry_size, file.size - done));
    content = header;
    content.resize(header.size() + piece);
    if (std::fread(content.data() + header.size(), 1, piece, input.get()) != piece)
      return Fail("cannot read " + file.path.string());
    done += piece;
    if (project_.compress) {
      if (!Deflate(content, project_.level, packed)) return Fail("zlib failed on " + file.path.string());
      if (!WriteBlock(packed, true)) return false;
    } else if (!WriteBlock(content, false)) {
      return false;
    }
  } while (done < file.size);
  return true;
}

bool Writer::FinishPart(bool another_follows) {
  package::Trailer trailer = BaseTrailer();
  trailer.header_offset = header_offset_;
  if (another_follows) trailer.flags |= package::kSpanned;
  const auto bytes = package::SerializeTrailer(trailer);
  if (!Write(std::string(bytes.begin(), bytes.end()))) return false;
  const bool first = result_.parts.size() == 1;
  if (first) {
    // The package end offset lives in the stub's DOS area.
    std::string end_offset;
    AppendLE32(end_offset, uint32_t(position_ >> 32));
    AppendLE32(end_offset, uint32_t(position_));
    if (SeekFile(part_.get(), package::kPackageEndHighOffset) != 0 ||
        std::fwrite(end_offset.data(), 1, 8, part_.get()) != 8)
      return Fail("cannot write " + part_path_);
  }
  part_.reset();
  result_.part_sizes.push_back(position_);

  uint32_t checksum = package::kChecksumOff;
  if (project_.checksum) {
    auto source = OpenFileForReading(part_path_);
    if (!source) return Fail("cannot read back " + part_path_);
    checksum = package::PackageChecksum(*source, package::kTrailerSize);
  }
  File patch(std::fopen(part_path_.c_str(), "r+b"));
  uint8_t sum[4];
  StoreLE32(sum, checksum);
  if (!patch || SeekFile(patch.get(), position_ - package::kTrailerSize + package::trailer_offset::kChecksum) != 0 ||
      std::fwrite(sum, 1, 4, patch.get()) != 4)
    return Fail("cannot write " + part_path_);
  return true;
}

bool Writer::Run() {
  if (!CollectFiles()) return false;

  // Space the installation needs, per cluster size; saturates instead of wrapping.
  std::vector<uint64_t> sizes;
  for (const auto& f : files_) sizes.push_back(f.size);
  std::error_code ec;
  const uint64_t stub_size = fs::file_size(request_.stub_path, ec);
  if (ec) return Fail("cannot read the stub " + request_.stub_path);
  if (project_.create_agent) sizes.push_back(stub_size);
  for (uint32_t i = 0; i < package::kSpaceTableEntries; ++i) {
    const uint64_t cluster = i == 0 ? 1 : uint64_t(1) << (8 + i);
    uint64_t total = 0;
    for (uint64_t s : sizes) total += (s + cluster - 1) / cluster * cluster;
    space_[i] = uint32_t(std::min<uint64_t>(total, 0xFFFFFFFF));
  }

  std::mt19937 random(request_.seed ? request_.seed : std::random_device{}());
  const std::string agent_list =
      project_.has_agent_list
          ? MakeList({project_.update_url, project_.info_file_name, project_.agent_exe_name,
                      EncodeHeaderFieldRandom(project_.product_token, random), project_.hidden_setup})
          : std::string();
  std::string lists;
  const std::string language_block = MakeLanguageBlock(project_.languages);
  AppendLE32(lists, uint32_t(language_block.size()));
  lists += language_block;
  AppendLE32(lists, uint32_t(agent_list.size()));
  lists += agent_list;
  if (project_.has_web_list) {
    version_ = 3;
    const std::string web_list =
        MakeList({project_.web_url, project_.web_setup_file_name, project_.always_download,
                  EncodeHeaderFieldRandom(project_.web_token, random), project_.web_setup_size});
    AppendLE32(lists, uint32_t(web_list.size()));
    lists += web_list;
  }

  File stub(std::fopen(request_.stub_path.c_str(), "rb"));
  std::string stub_bytes(stub_size, '\0');
  if (!stub || std::fread(stub_bytes.data(), 1, stub_bytes.size(), stub.get()) != stub_bytes.size())
    return Fail("cannot read the stub " + request_.stub_path);
  const std::span<const uint8_t> stub_view(reinterpret_cast<const uint8_t*>(stub_bytes.data()), stub_bytes.size());
  if (!package::IsStubImage(stub_view))
    return Fail("the stub is not a stub image (MZ at 0, PE header at 256): " + request_.stub_path);
  if (package::PackageEndOffset(stub_view) != 0)
    return Fail("the stub already carries a package: " + request_.stub_path);
  if (stub_size > 0xFFFFFFFF - lists.size()) return Fail("the stub is too large");

  if (!OpenPart() || !Write(stub_bytes)) return false;
  header_offset_ = uint32_t(stub_size);
  if (!Write(lists)) return false;
  for (const auto& file : files_)
    if (!WriteFileEntries(file)) return false;
  result_.files_count = uint32_t(files_.size());
  return FinishPart(false);
}

}  // namespace

std::string PartPath(const std::string& part1_path, int number) {
  return package::PartFilePath(part1_path, number);
}

std::string MakeLanguageBlock(const std::vector<LanguageSection>& languages) {
  if (languages.empty()) return std::string();
  std::string block = "\x02";
  for (const auto& section : languages) {
    block += "\x01" + section.name + "\x01";
    for (const auto& [key, value] : section.entries) block += key + "=" + value + "\x01";
    block += "\x02";
  }
  return block;
}

bool BuildPackage(const BuildRequest& request, BuildResult& result, std::string& error) {
  result = BuildResult{};
  Writer writer(request, result, error);
  if (writer.Run()) return true;
  for (const auto& part : result.parts) {
    std::error_code ec;
    fs::remove(part, ec);
  }
  result.parts.clear();
  return false;
}

}  // namespace pack
