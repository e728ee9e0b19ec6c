// Describing a setup file with the same reader the stub uses.
#include "package_info.h"

#include <zlib.h>

#include <array>
#include <filesystem>
#include <vector>

#include "package/block_walk.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package_writer.h"
#include "util/delimited_list.h"
#include "util/scrambled.h"

namespace pack {
namespace {

struct EntrySummary {
  std::string header;
  uint64_t content_size = 0;
  bool damaged = false;
};

// Streams an entry through a fixed buffer: the header up to the first 0x00
// and the number of bytes after it.
EntrySummary SummarizeEntry(ByteSource& part, const package::Block& block) {
  EntrySummary summary;
  bool in_header = true;
  auto take = [&](const uint8_t* data, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      if (!in_header) {
        summary.content_size += n - i;
        return;
      }
      if (data[i] == 0) in_header = false;
      else if (summary.header.size() < 4096) summary.header += char(data[i]);
    }
  };
  std::array<uint8_t, 65536> input;
  std::array<uint8_t, 65536> output;
  z_stream stream{};
  if (block.compressed && inflateInit(&stream) != Z_OK) return {"", 0, true};
  uint64_t done = 0;
  int status = Z_OK;
  while (done < block.length && status != Z_STREAM_END) {
    const size_t n = std::min<uint64_t>(input.size(), block.length - done);
    if (!part.ReadExactly(block.data_offset + done, input.data(), n)) {
      summary.damaged = true;
      break;
    }
    done += n;
    if (!block.compressed) {
      take(input.data(), n);
      continue;
    }
    stream.next_in = input.data();
    stream.avail_in = uInt(n);
    do {
      stream.next_out = output.data();
      stream.avail_out = uInt(output.size());
      status = inflate(&stream, Z_NO_FLUSH);
      if (status < 0 && status != Z_BUF_ERROR) {
        summary.damaged = true;
        break;
      }
      take(output.data(), output.size() - stream.avail_out);
    } while (stream.avail_out == 0 && status != Z_STREAM_END);
    if (summary.damaged) break;
  }
  if (block.compressed) {
    if (status != Z_STREAM_END) summary.damaged = true;
    inflateEnd(&stream);
  }
  if (in_header) summary.damaged = true;
  return summary;
}

std::string Masked(const std::string& stored) {
  if (stored.empty()) return "(none)";
  return DecodeHeaderFieldChecked(stored) ? "******** (valid)" : "******** (does not decode)";
}

void PrintLists(const TGFileInfo& info, std::ostream& out) {
  const std::string& block = info.LanguageBlock();
  const int sections = SUB::Count(block);
  out << "languages: " << sections << "\n";
  for (int i = 0; i < sections; ++i) {
    const std::string section = SUB::Item(block, i);
    out << "  " << SUB::Item(section, 0) << " (" << std::max(0, SUB::Count(section) - 1) << " texts)\n";
  }
  if (!info.AgentList().empty()) {
    const std::string& list = info.AgentList();
    out << "agent list:\n  UpdateURL=" << SUB::Item(list, 0) << "\n  InfoFileName=" << SUB::Item(list, 1)
        << "\n  AgentExeName=" << SUB::Item(list, 2) << "\n  ProductToken=" << Masked(SUB::Item(list, 3))
        << "\n  HiddenSetup=" << SUB::Item(list, 4) << "\n";
  }
  if (!info.WebList().empty()) {
    const std::string& list = info.WebList();
    out << "web list:\n  WebURL=" << SUB::Item(list, 0) << "\n  WebSetupFileName=" << SUB::Item(list, 1)
        << "\n  AlwaysDownload=" << SUB::Item(list, 2) << "\n  WebToken=" << Masked(SUB::Item(list, 3))
        << "\n  WebSetupSize=" << SUB::Item(list, 4) << "\n";
  }
}

std::string FlagNames(uint8_t flags) {
  static const char* kNames[] = {"AlwaysConfirmTemp", "Spanned", "DiskSpanRelaunch", "ShowBusyBar", "AgentLog"};
  std::string names;
  for (int bit = 0; bit < 5; ++bit)
    if (flags & (1 << bit)) names += std::string(names.empty() ? "" : " ") + kNames[bit];
  return names.empty() ? "(none)" : names;
}

}  // namespace

int PrintPackageInfo(const std::string& path, std::ostream& out) {
  auto first = OpenFileForReading(path);
  if (!first) {
    out << path << ": cannot open\n";
    return 2;
  }
  TGFileInfo info(*first);
  const package::Trailer& t = info.Record();
  out << "file: " << path << " (" << first->Size() << " bytes)\n";
  const uint64_t end_offset = package::PackageEndOffset(*first);
  out << "stub image: " << (package::IsStubImage(*first) ? "yes" : "no") << ", package end: " << end_offset;
  if (end_offset > 0 && end_offset < first->Size()) out << " (" << first->Size() - end_offset << " bytes after it)";
  out << "\n";
  if (!info.HasPackage()) {
    out << "no package: the trailer has no magic value\n";
    return 2;
  }
  out << "trailer: size " << t.trailer_size << ", version " << int(t.version) << ", header offset "
      << t.header_offset << ", files " << t.files_count << "\n";
  out << "flags: " << FlagNames(t.flags) << "; web setup " << int(t.web_setup) << ", confirm download "
      << int(t.confirm_download) << ", create agent " << int(t.create_agent) << ", agent mode "
      << int(t.agent_mode) << "\n";
  out << "space table:";
  for (uint32_t v : t.space_table) out << " " << v;
  out << "\n";
  PrintLists(info, out);

  bool sound = true;
  int block_counter = 0;
  const int header_blocks = package::HeaderListCount(t);
  std::string part_path = path;
  for (int number = 1;; ++number) {
    auto part = number == 1 ? std::move(first) : OpenFileForReading(part_path);
    if (!part) {
      out << "part " << number << ": " << part_path << " missing\n";
      return 4;
    }
    const package::Trailer pt = package::ReadTrailer(*part);
    const uint32_t computed = package::PackageChecksum(*part, pt.trailer_size);
    const bool verdict = package::ChecksumVerdict(computed, pt.checksum);
    sound = sound && verdict && pt.HasMagic();
    out << "part " << number << ": " << part_path << ", checksum stored " << pt.checksum << " computed " << computed
        << (verdict ? " OK" : " BAD") << (pt.HasMagic() ? "" : ", no magic") << "\n";
    package::BlockWalker walker(*part, pt);
    package::Block block;
    package::WalkStep step;
    while ((step = walker.Next(block)) == package::WalkStep::kBlock) {
      if (++block_counter <= header_blocks) continue;
      const EntrySummary entry = SummarizeEntry(*part, block);
      const package::EntryHeader header = package::ParseEntryHeader(entry.header);
      out << "  entry " << header.name_item << "  " << entry.content_size << " bytes, "
          << (block.compressed ? "zlib " : "stored ") << block.length << ", date " << header.dos_date
          << (entry.damaged ? "  DAMAGED" : "") << "\n";
      sound = sound && !entry.damaged;
    }
    if (step == package::WalkStep::kTruncated) {
      out << "  part is cut short at offset " << walker.Position() << "\n";
      sound = false;
    }
    if (!pt.HasFlag(package::kSpanned)) break;
    part_path = PartPath(path, number + 1);
  }
  out << (sound ? "package is sound\n" : "package is DAMAGED\n");
  return sound ? 0 : 4;
}

}  // namespace pack
