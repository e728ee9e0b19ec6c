// libFuzzer target for the package reader: one input is one package part, read
// the way the stub reads it (trailer, header lists, checksum, block walk and
// entry contents). Sanitizers catch memory and UB faults; the traps below
// catch reads that stay in memory but break the reader's own guarantees.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "package/block_walk.h"
#include "package/byte_source.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package/language_selection.h"
#include "package/package_format.h"

namespace {

// The stub streams entries through buffers of this size, never a whole block.
constexpr size_t kChunk = 65536;
constexpr size_t kMaxEntryHeader = 4096;
// Only the entry header matters past inflate; a cap on the output keeps zlib
// bombs (about 1000:1) from slowing every run without hiding a reader fault.
constexpr uint64_t kMaxInflatedPerBlock = 1u << 20;

volatile uint64_t g_sink;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void Consume(const std::string& text) { g_sink = g_sink + text.size(); }

void TouchFileInfo(const TGFileInfo& info) {
  uint64_t bits = 0;
  for (bool b : {info.HasPackage(), info.AlwaysConfirmTemp(), info.Spanned(), info.DiskSpanRelaunch(),
                 info.ShowBusyBar(), info.AgentLog(), info.WebSetup(), info.ConfirmDownload(),
                 info.CreateAgent(), info.AgentMode(), info.HiddenSetup(), info.AlwaysDownload()})
    bits = bits << 1 | uint64_t(b);
  g_sink = g_sink + bits;

  for (const std::string& text :
       {info.UpdateURL(), info.InfoFileName(), info.SettingsFileName(), info.AgentExeName(),
        info.ProductToken(true), info.ProductToken(false), info.WebURL(), info.WebSetupFileName(),
        info.WebToken(true), info.WebToken(false), info.WebSetupSize(), info.FontName(),
        info.LangString("s0", "?"), info.LangString("BtnText", "|&OK|"), info.LangString("", "")})
    Consume(text);
  g_sink = g_sink + uint64_t(info.Charset()) + uint64_t(info.FontSize());
  g_sink = g_sink + uint64_t(info.RequiredSpaceForClusterSize(4096));

  // The process-wide selection keeps the section of the first input it saw;
  // a fresh one per input lets every input's language block be looked up.
  package::LanguageSelection selection;
  Consume(selection.LangString(info.LanguageBlock(), "German", "s0", "?"));
  Consume(selection.LangString(info.LanguageBlock(), "German", "FontName", "Tahoma"));
}

// Feeds a block's content bytes, in order, to the entry header collector.
class HeaderCollector {
 public:
  void Take(const uint8_t* data, size_t n) {
    for (size_t i = 0; i < n && open_; ++i) {
      if (data[i] == 0) open_ = false;
      else if (header_.size() < kMaxEntryHeader) header_ += char(data[i]);
    }
  }
  const std::string& Header() const { return header_; }

 private:
  std::string header_;
  bool open_ = true;
};

std::array<uint8_t, kChunk> g_input;
std::array<uint8_t, kChunk> g_output;

void ReadBlock(ByteSource& part, const package::Block& block, bool is_entry) {
  HeaderCollector collector;
  const bool inflating = is_entry && block.compressed;
  z_stream stream{};
  if (inflating && inflateInit(&stream) != Z_OK) return;
  uint64_t done = 0;
  uint64_t inflated = 0;
  int status = Z_OK;
  while (done < block.length) {
    const size_t n = size_t(std::min<uint64_t>(kChunk, block.length - done));
    // The walker checked the block against the part: every byte must arrive.
    Check(part.ReadExactly(block.data_offset + done, g_input.data(), n));
    done += n;
    if (!inflating) {
      if (is_entry) collector.Take(g_input.data(), n);
      continue;
    }
    // After the stream's end or an error the rest of the block is only read.
    if ((status != Z_OK && status != Z_BUF_ERROR) || inflated >= kMaxInflatedPerBlock) continue;
    stream.next_in = g_input.data();
    stream.avail_in = uInt(n);
    do {
      stream.next_out = g_output.data();
      stream.avail_out = uInt(g_output.size());
      status = inflate(&stream, Z_NO_FLUSH);
      const size_t produced = g_output.size() - stream.avail_out;
      inflated += produced;
      collector.Take(g_output.data(), produced);
    } while (stream.avail_out == 0 && status == Z_OK && inflated < kMaxInflatedPerBlock);
  }
  if (inflating) inflateEnd(&stream);
  if (!is_entry) return;
  const package::EntryHeader entry = package::ParseEntryHeader(collector.Header());
  Consume(entry.name);
  g_sink = g_sink + entry.dos_date + uint64_t(entry.is_engine);
}

void WalkBlocks(ByteSource& part, const package::Trailer& trailer) {
  // Part 1 starts at its header lists; later parts of a spanned package
  // (header offset 0, no stub) hold entries only.
  const int header_blocks = trailer.header_offset > 0 ? package::HeaderListCount(trailer) : 0;
  package::BlockWalker walker(part, trailer);
  Check(walker.Limit() <= part.Size());
  package::Block block;
  int index = 0;
  uint64_t previous_end = 0;
  while (walker.Next(block) == package::WalkStep::kBlock) {
    Check(block.data_offset <= walker.Limit() && block.length <= walker.Limit() - block.data_offset);
    Check(block.data_offset >= previous_end + 4);
    previous_end = block.data_offset + block.length;
    Check(walker.Position() == previous_end);
    ReadBlock(part, block, index++ >= header_blocks);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  MemoryByteSource source(bytes);

  // The span and the ByteSource forms must agree on what a stub image is.
  Check(package::IsStubImage(bytes) == package::IsStubImage(source));
  Check(package::PackageEndOffset(bytes) == package::PackageEndOffset(source));

  const TGFileInfo info(source);
  const package::Trailer& trailer = info.Record();
  Check(trailer.trailer_size <= package::kTrailerSize);
  const uint64_t lists_size =
      info.LanguageBlock().size() + info.AgentList().size() + info.WebList().size();
  Check(lists_size <= size);
  TouchFileInfo(info);

  g_sink = g_sink + package::PackageChecksum(source, trailer.trailer_size);
  Check(package::TrailerStart(source) <= size);
  WalkBlocks(source, trailer);
  return 0;
}
