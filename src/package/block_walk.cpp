// Walking the blocks of a package part with every length checked against the
// part before anything is read or allocated for it.
#include "package/block_walk.h"

#include "util/delimited_list.h"
#include "util/string_ops.h"

namespace package {

uint64_t TrailerStart(ByteSource& part) {
  const uint64_t end = PackageEnd(part);
  uint8_t bytes[4];
  if (end < 4 || end > part.Size() || !part.ReadExactly(end - 4, bytes, 4)) return 0;
  const uint32_t trailer_size = LoadLE32(bytes);
  // A stored size below the record's own size field cannot be a trailer; the
  // smallest sensible walk end is then the field itself.
  if (trailer_size < 4 || trailer_size > end) return end - 4;
  return end - trailer_size;
}

BlockWalker::BlockWalker(ByteSource& part, const Trailer& trailer)
    : part_(part), position_(trailer.header_offset), limit_(TrailerStart(part)) {}

WalkStep BlockWalker::Next(Block& block) {
  if (position_ >= limit_) return WalkStep::kEnd;
  uint8_t length_bytes[4];
  if (limit_ - position_ < 4 || !part_.ReadExactly(position_, length_bytes, 4)) return WalkStep::kTruncated;
  const int32_t length = int32_t(LoadLE32(length_bytes));
  block.compressed = length > 0;
  block.length = length < 0 ? uint32_t(0) - uint32_t(length) : uint32_t(length);
  block.data_offset = position_ + 4;
  if (block.length > limit_ - block.data_offset) return WalkStep::kTruncated;
  position_ = block.data_offset + block.length;
  return WalkStep::kBlock;
}

EntryHeader ParseEntryHeader(std::string_view header) {
  EntryHeader entry;
  entry.text = std::string(header);
  entry.name_item = SUB::Item(header, 0);
  entry.name = entry.name_item;
  entry.dos_date = uint32_t(SUB::ItemInt(header, 1, 0));
  const size_t star = entry.name.find('*');
  entry.is_engine = header.find('*') != std::string_view::npos;
  if (star != std::string::npos) entry.name.resize(star);
  return entry;
}

std::string MakeEntryHeader(std::string_view name, uint32_t dos_date) {
  return "|" + std::string(name) + "|" + std::to_string(dos_date) + "|";
}

}  // namespace package
