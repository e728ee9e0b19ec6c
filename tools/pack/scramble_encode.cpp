// Encoders for the scrambled texts the stub decodes: the exact inverse of the
// stub's decoders, so any field written here passes the stub's checksum test.
#include "scramble_encode.h"

#include <stdexcept>
#include <vector>

namespace {

constexpr std::string_view kScrambleMarker = "Scrambled=01";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr uint8_t kFieldShift = 50;

std::string RandomBytes(size_t count, std::mt19937& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(count, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(byte(random));
  }
  return bytes;
}

}  // namespace

std::string EncodeScrambledText(std::string_view plain, int key) {
  if (key < 33 || key > 122) {
    throw std::invalid_argument("scramble key outside 33..122");
  }
  std::string out(kScrambleMarker);
  out.push_back(static_cast<char>(key));
  for (size_t i = 0; i < plain.size(); ++i) {
    const size_t position = i + 1;
    // Odd positions add the key, even ones subtract it.
    const uint64_t mask = position % 2 == 1 ? position + static_cast<uint64_t>(key)
                                            : position - static_cast<uint64_t>(key);
    out.push_back(static_cast<char>(static_cast<uint8_t>(plain[i]) ^ static_cast<uint8_t>(mask)));
  }
  return out;
}

std::string EncodeHeaderField(std::string_view payload, uint8_t key_a, uint8_t key_b,
                              std::string_view lead_filler, std::string_view tail_filler) {
  if (lead_filler.size() > 255 || tail_filler.size() > 254) {
    throw std::invalid_argument("header field filler too long");
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(payload.size() + lead_filler.size() + tail_filler.size() + 5);
  bytes.push_back(key_a);
  bytes.push_back(static_cast<uint8_t>(lead_filler.size()));
  bytes.push_back(static_cast<uint8_t>(tail_filler.size() + 1));
  bytes.insert(bytes.end(), lead_filler.begin(), lead_filler.end());
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  bytes.insert(bytes.end(), tail_filler.begin(), tail_filler.end());
  bytes.push_back(0);  // checksum, set below
  bytes.push_back(key_b);

  const size_t n = bytes.size();
  const uint8_t key = key_a ^ key_b;
  for (size_t i = 1; i + 1 < n; ++i) {
    bytes[i] ^= key;
  }
  // The checksum covers the stored (masked) bytes, keys included.
  uint8_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i != n - 2) {
      sum = static_cast<uint8_t>(sum + bytes[i]);
    }
  }
  bytes[n - 2] = sum;

  std::string stored;
  stored.reserve(2 * n);
  for (uint8_t b : bytes) {
    stored.push_back(static_cast<char>(kHexDigits[b >> 4] + kFieldShift));
    stored.push_back(static_cast<char>(kHexDigits[b & 0x0F] + kFieldShift));
  }
  return stored;
}

std::string EncodeHeaderFieldRandom(std::string_view payload, std::mt19937& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(1, 8);
  const auto key_a = static_cast<uint8_t>(byte(random));
  const auto key_b = static_cast<uint8_t>(byte(random));
  const std::string lead = RandomBytes(static_cast<size_t>(length(random)), random);
  const std::string tail = RandomBytes(static_cast<size_t>(length(random) - 1), random);
  return EncodeHeaderField(payload, key_a, key_b, lead, tail);
}
