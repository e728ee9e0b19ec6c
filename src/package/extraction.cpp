// The extraction walk. Blocks are read in 64 KB chunks and inflated straight
// into the target file, so memory does not grow with entry size; pending
// window messages run between blocks and after every chunk.
#include "package/extraction.h"

#include <zlib.h>

#include <array>
#include <cstring>

#include "package/block_walk.h"
#include "package/checksum.h"
#include "util/path_ops.h"
#include "util/string_ops.h"

namespace package {
namespace {

constexpr size_t kChunk = 65536;
// Inflated data is handed on in pieces of this size: every write costs a
// system call, which under Wine weighs more than the bytes.
constexpr size_t kOutputChunk = 1 << 20;
// An entry header is a name and a date; anything longer is damage.
constexpr size_t kMaxHeader = 4096;

int g_error_count = 0;

// A block cut short by the end of its part, or a read error inside it.
struct DamagedPart {};

struct Buffers {
  std::array<uint8_t, kChunk> input;
  std::array<uint8_t, kOutputChunk> output;
};

// Feeds a block's content to `sink` chunk by chunk, inflating when needed.
template <typename Sink>
void StreamBlock(ByteSource& part, const Block& block, Buffers& buffers, ExtractionHost& host, Sink&& sink) {
  z_stream stream{};
  if (block.compressed && inflateInit(&stream) != Z_OK) throw EZLibError(zError(Z_MEM_ERROR));
  struct StreamEnd {
    z_stream& s;
    bool active;
    ~StreamEnd() {
      if (active) inflateEnd(&s);
    }
  } end{stream, block.compressed};

  int status = Z_OK;
  uint64_t done = 0;
  while (done < block.length) {
    const size_t n = size_t(std::min<uint64_t>(kChunk, block.length - done));
    if (part.ReadAt(block.data_offset + done, buffers.input.data(), n) != n) throw DamagedPart();
    done += n;
    if (!block.compressed) {
      sink(buffers.input.data(), n);
    } else if (status != Z_STREAM_END) {
      stream.next_in = buffers.input.data();
      stream.avail_in = uInt(n);
      do {
        stream.next_out = buffers.output.data();
        stream.avail_out = uInt(kOutputChunk);
        status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_NEED_DICT || (status < 0 && status != Z_BUF_ERROR))
          throw EZLibError(stream.msg ? stream.msg : zError(status == Z_NEED_DICT ? Z_DATA_ERROR : status));
        sink(buffers.output.data(), kOutputChunk - stream.avail_out);
      } while (stream.avail_out == 0 && status != Z_STREAM_END);
    }
    host.PumpMessages();
  }
  if (block.compressed && status != Z_STREAM_END) throw EZLibError("unexpected end of compressed data");
}

class Extraction {
 public:
  Extraction(const ExtractRequest& request, ExtractionHost& host) : request_(request), host_(host) {}
  ExtractResult Run();

 private:
  void ExtractPart(ByteSource& part, const Trailer& trailer, bool first);
  void HandleEntry(ByteSource& part, const Block& block);
  void WriteAgentCopy(ByteSource& part);
  void ReportWriteFailure(const std::string& target, uint64_t data_size, const std::string& reason);

  const ExtractRequest& request_;
  ExtractionHost& host_;
  ExtractResult result_;
  std::unique_ptr<Buffers> buffers_ = std::make_unique<Buffers>();
  int block_counter_ = 0;
  uint64_t entries_start_ = 0;
};

void Extraction::ReportWriteFailure(const std::string& target, uint64_t data_size, const std::string& reason) {
  if (++g_error_count != 1) return;
  const std::string diagnosis = reason + "<P>" + "  Data Size: <T>" + std::to_string(data_size) +
                                " Bytes<P>" + "  File Size:  <T>" + std::to_string(host_.FileSize(target)) +
                                " Bytes<P>" + "  Bytes Free: <T>" +
                                std::to_string(int64_t(host_.DiskFreeBytes(target))) + " Bytes";
  host_.ShowError(target + "<P><P>Unable to save Extracted File!<P><P>" + diagnosis);
}

void Extraction::HandleEntry(ByteSource& part, const Block& block) {
  std::string header;
  bool in_header = true;
  bool skip = false;
  std::string target;
  std::unique_ptr<EntryWriter> writer;
  bool write_failed = false;
  std::string reason;  // taken when the failure happens, before anything else runs
  uint64_t data_size = 0;
  EntryHeader entry;

  auto start_file = [&] {
    entry = ParseEntryHeader(header);
    if (header.empty()) {
      skip = true;
      return;
    }
    if (entry.is_engine) result_.engine_command = header;
    if (entry.name_item.find('*') != std::string::npos) result_.engine_command = entry.name_item;
    target = request_.target_folder + "\\" + entry.name;
    // Names are plain file names: anything else would write outside the
    // target folder, so it is refused and reported like a failed write.
    if (!IsPlainFileName(entry.name)) {
      write_failed = true;
      reason = "The file name is not a plain file name; the file was not written.";
      return;
    }
    // Each distinct file steps the progress once: when it was not there yet.
    bool existed = false;
    writer = host_.OpenForAppend(target, existed);
    write_failed = !writer;
    if (write_failed) {
      reason = host_.LastErrorText();
      existed = host_.FileExists(target);
    }
    if (!existed) host_.ProgressStep();
  };

  StreamBlock(part, block, *buffers_, host_, [&](const uint8_t* data, size_t size) {
    if (skip) return;
    if (in_header) {
      const uint8_t* zero = static_cast<const uint8_t*>(memchr(data, 0, size));
      const size_t header_part = zero ? size_t(zero - data) : size;
      if (header.size() + header_part > kMaxHeader) {
        skip = true;
        return;
      }
      header.append(reinterpret_cast<const char*>(data), header_part);
      if (!zero) return;
      in_header = false;
      start_file();
      data += header_part + 1;
      size -= header_part + 1;
      if (skip) return;
    }
    data_size += size;
    if (!write_failed && size > 0 && !writer->Append(data, size)) {
      write_failed = true;
      reason = host_.LastErrorText();
      writer.reset();
    }
  });
  // No 0x00 at all: the header is empty and the entry is skipped.
  if (in_header || skip) return;
  if (!write_failed && !writer->Finish(entry.dos_date)) {
    write_failed = true;
    reason = host_.LastErrorText();
  }
  writer.reset();
  if (write_failed) ReportWriteFailure(target, data_size, reason);
}

void Extraction::WriteAgentCopy(ByteSource& part) {
  const std::string name = FileNamePart(request_.agent_copy_name);
  if (name.empty() || entries_start_ == 0 || !IsPlainFileName(name)) return;
  const std::string& path = request_.part1_path;
  if (!EndsWith(".exe", path) && !EndsWith(".exe.001", path)) return;
  // The stub image and the header lists, with the low dword of the package
  // end offset cleared so that the copy's trailer is found at its end.
  Trailer record = ReadTrailer(part);
  record.agent_mode = 1;
  record.trailer_size = kTrailerSize;
  const TrailerBytes trailer = SerializeTrailer(record);
  const std::string target = request_.target_folder + "\\" + name;
  auto writer = host_.CreateNew(target);
  if (!writer) return;
  for (uint64_t done = 0; done < entries_start_;) {
    const size_t n = size_t(std::min<uint64_t>(kChunk, entries_start_ - done));
    if (part.ReadAt(done, buffers_->input.data(), n) != n) return;
    for (uint64_t i = kPackageEndLowOffset; i < kPackageEndLowOffset + 4; ++i)
      if (i >= done && i < done + n) buffers_->input[i - done] = 0;
    if (!writer->Append(buffers_->input.data(), n)) return;
    done += n;
  }
  if (writer->Append(trailer.data(), trailer.size()) && writer->Finish(host_.FileDate(path)))
    host_.Trace(std::to_string(host_.ProcessId()) + " New AU-Agent: " + target);
}

void Extraction::ExtractPart(ByteSource& part, const Trailer& trailer, bool first) {
  uint64_t part_length = part.Size();
  if (const uint64_t end = PackageEndOffset(part); end > 0) part_length = end;
  host_.Trace("FileLen=" + std::to_string(part_length));
  if (!trailer.HasMagic()) return;
  if (first) host_.ProgressReset(trailer.files_count);
  if (!host_.CreateFolder(request_.target_folder)) {
    const std::string reason = host_.LastErrorText();
    host_.ShowError(request_.target_folder + "<P><P>Unable to create Directory!<P><P>" + reason);
  }

  const int header_blocks = HeaderListCount(trailer);
  BlockWalker walker(part, trailer);
  Block block;
  for (;;) {
    host_.PumpMessages();
    const WalkStep step = walker.Next(block);
    if (step == WalkStep::kEnd) break;
    if (step == WalkStep::kTruncated) throw DamagedPart();
    ++block_counter_;
    if (block_counter_ == header_blocks) entries_start_ = walker.Position();
    if (block_counter_ > header_blocks) HandleEntry(part, block);
  }
  if (first) WriteAgentCopy(part);
}

ExtractResult Extraction::Run() {
  const uint64_t started = host_.Milliseconds();
  bool go_on = true;
  std::string path = request_.part1_path;
  host_.ProgressReset(0);
  try {
    Trailer trailer;
    for (int number = 1;; ++number) {
      if (auto part = host_.OpenPart(path)) {
        trailer = ReadTrailer(*part);
        if (number == 1) host_.Trace("FileInfo.FilesCount=" + std::to_string(trailer.files_count));
        result_.verdict = ChecksumVerdict(PackageChecksum(*part, trailer.trailer_size), trailer.checksum);
        if (!result_.verdict) break;
        ExtractPart(*part, trailer, number == 1);
      }
      if (!trailer.HasFlag(kSpanned)) break;
      host_.SetAutoPlayCancel();
      path = PartFilePath(request_.part1_path, number + 1);
      if (request_.force_prompt || !host_.FileExists(path)) {
        host_.EjectCD(path);
        const std::string text = ReplaceStr(request_.disk_prompt, "<DISK_NUM>", std::to_string(number + 1));
        do {
          go_on = host_.ConfirmDisk(text);
          host_.WaitPumping(500);
        } while (go_on && !host_.FileExists(path));
      }
      host_.ProgressStep();
      if (!go_on) break;
    }
  } catch (const DamagedPart&) {
    result_.verdict = false;
    result_.engine_command.clear();
    result_.error_shown = true;
    host_.ShowError(path + "<P><P>The setup file is incomplete or damaged.<P><P>Please download or copy it again.");
  } catch (const EZLibError& error) {
    result_.engine_command.clear();
    result_.error_shown = true;
    host_.ShowError(path + "<P><P>Unable to decompress the setup file:<P>" + error.what());
  }
  if (!go_on) result_.engine_command.clear();
  host_.Trace("UnCompressTime: " + std::to_string(host_.Milliseconds() - started) + " MS");
  host_.Trace("");
  host_.WaitPumping(500);
  return result_;
}

}  // namespace

int ExtractionErrorCount() { return g_error_count; }

ExtractResult ExtractPackage(const ExtractRequest& request, ExtractionHost& host) {
  return Extraction(request, host).Run();
}

}  // namespace package
