// The block sequence of one package part: length-prefixed blocks from the
// header offset up to where the part's trailer begins. The first blocks of
// part 1 are the header lists, every later block is a file entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "package/byte_source.h"
#include "package/package_format.h"

namespace package {

struct Block {
  uint64_t data_offset = 0;  // first data byte in the part
  uint32_t length = 0;       // data bytes
  bool compressed = false;   // a zlib stream; else the bytes as they are
};

enum class WalkStep { kBlock, kEnd, kTruncated };

// Where the trailer of a part begins: the package end less the trailer size
// stored at its end. A part without room for a trailer gives 0.
uint64_t TrailerStart(ByteSource& part);

class BlockWalker {
 public:
  BlockWalker(ByteSource& part, const Trailer& trailer);

  // The next block. kEnd where the trailer begins; kTruncated when a length
  // runs past it (a cut or damaged part): the walk must stop there.
  WalkStep Next(Block& block);
  uint64_t Position() const { return position_; }
  uint64_t Limit() const { return limit_; }

 private:
  ByteSource& part_;
  uint64_t position_;
  uint64_t limit_;
};

// The header at the front of an entry's content: "|name|date|" up to the
// first 0x00 byte.
struct EntryHeader {
  std::string text;       // the whole header
  std::string name_item;  // item 0 as stored
  std::string name;       // item 0 with an engine marker and its arguments cut off
  uint32_t dos_date = 0;
  bool is_engine = false;  // the name carried "*": this entry is the setup engine
};
EntryHeader ParseEntryHeader(std::string_view header);
// The header text the builder writes for a file.
std::string MakeEntryHeader(std::string_view name, uint32_t dos_date);

}  // namespace package
