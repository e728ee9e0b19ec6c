// Byte-level package fixtures.
#include "package_fixture.h"

#include <zlib.h>

namespace fixture {

Bytes FakeStub(size_t size) {
  Bytes stub(size, 0);
  stub[0] = 'M';
  stub[1] = 'Z';
  stub[256] = 'P';
  stub[257] = 'E';
  for (size_t i = 512; i < size; ++i) stub[i] = uint8_t(i * 7);
  return stub;
}

void Append(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void AppendLE32(Bytes& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void AppendBlock(Bytes& out, const std::string& data, bool compressed) {
  const int32_t length = compressed ? int32_t(data.size()) : -int32_t(data.size());
  AppendLE32(out, uint32_t(length));
  Append(out, data);
}

void AppendStoredEntry(Bytes& out, const std::string& name, uint32_t date, const std::string& content) {
  AppendBlock(out, "|" + name + "|" + std::to_string(date) + "|" + std::string(1, '\0') + content, false);
}

void AppendTrailer(Bytes& out, const package::Trailer& trailer) {
  const auto bytes = package::SerializeTrailer(trailer);
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void SetPackageEnd(Bytes& file, uint64_t end) {
  for (int i = 0; i < 4; ++i) {
    file[248 + i] = uint8_t(end >> (32 + 8 * i));
    file[252 + i] = uint8_t(end >> (8 * i));
  }
}

package::Trailer BasicTrailer(uint32_t header_offset) {
  package::Trailer t;
  t.mark = 1;
  t.version = 2;
  t.header_offset = header_offset;
  t.magic = package::kMagic;
  t.trailer_size = package::kTrailerSize;
  return t;
}

std::string LanguageBlock(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections) {
  std::string block = "\x02";
  for (const auto& [name, entries] : sections) {
    block += "\x01" + name + "\x01";
    for (const auto& entry : entries) block += entry + "\x01";
    block += "\x02";
  }
  return block;
}

std::string ZlibCompress(const std::string& data) {
  uLongf size = compressBound(uLong(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
            uLong(data.size()), 6);
  out.resize(size);
  return out;
}

std::string Noise(size_t size, uint32_t seed) {
  std::string s(size, '\0');
  for (auto& c : s) c = char((seed = seed * 1103515245 + 12345) >> 16);
  return s;
}

}  // namespace fixture
