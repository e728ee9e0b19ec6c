// Small hand-made package files for tests: a fake stub image and helpers that
// lay out lists, blocks and a trailer byte by byte, independent of the builder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/package_format.h"

namespace fixture {

using Bytes = std::vector<uint8_t>;

// `size` bytes with "MZ" at 0 and "PE" at 256: what the reader takes for a stub.
Bytes FakeStub(size_t size = 1024);
void Append(Bytes& out, const std::string& text);
void AppendLE32(Bytes& out, uint32_t value);
// A block: signed length, then the bytes (stored blocks get a negative length).
void AppendBlock(Bytes& out, const std::string& data, bool compressed);
// A stored file entry "|name|date|" 0x00 content.
void AppendStoredEntry(Bytes& out, const std::string& name, uint32_t date, const std::string& content);
void AppendTrailer(Bytes& out, const package::Trailer& trailer);
// Writes the package end offset into a stub image.
void SetPackageEnd(Bytes& file, uint64_t end);
// A trailer with the magic value, version 2, the given header offset and size 74.
package::Trailer BasicTrailer(uint32_t header_offset);
// A language block from (name, "key=value" entries) sections.
std::string LanguageBlock(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections);

std::string ZlibCompress(const std::string& data);
// `size` pseudo-random bytes that compress badly, the same for the same seed.
std::string Noise(size_t size, uint32_t seed);

}  // namespace fixture
