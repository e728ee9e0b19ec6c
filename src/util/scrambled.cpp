// Decoders of the scrambled texts the package builder writes: the checksummed
// hex fields of the header lists (product and web tokens) and texts marked
// "Scrambled=01" (the agent's INFORM file). Neither is encryption; both only
// keep the values out of plain sight and catch damaged fields.
#include "util/scrambled.h"

#include <chrono>
#include <random>
#include <vector>

#include "util/string_ops.h"

namespace {

constexpr std::string_view kScrambleMarker = "Scrambled=01";
constexpr std::string_view kDigits = "0123456789ABCDEF";
// Characters of a stored header field sit this far above their hex digits.
constexpr uint8_t kFieldShift = 50;

// One engine for the whole thread, seeded once from the system's entropy.
// Reseeding per call from the clock handed out equal "random" failure texts
// for two failures in the same tick, so that two broken tokens compared equal.
std::mt19937& RandomEngine() {
  thread_local std::mt19937 engine = [] {
    std::random_device device;
    const auto ticks = static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // The clock only adds to the device's entropy, in case a runtime's
    // random_device turns out to be deterministic.
    std::seed_seq seed{device(), device(), device(), device(),
                       static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
    return std::mt19937(seed);
  }();
  return engine;
}

int RandomInt(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(RandomEngine());
}

std::string FailureText() { return std::to_string(RandomInt(0, 99998)); }

}  // namespace

int64_t ParseRadix(std::string_view text, int radix) {
  const std::string digits = UpperCaseAscii(Trim(text));
  // Unsigned arithmetic wraps like the signed 64-bit reading it stands for,
  // without making overflow undefined.
  uint64_t value = 0;
  uint64_t weight = 1;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    const size_t index = kDigits.find(*it);
    const uint64_t digit = index == std::string_view::npos ? ~uint64_t{0}
                                                           : static_cast<uint64_t>(index);
    value += digit * weight;
    weight *= static_cast<uint64_t>(static_cast<int64_t>(radix));
  }
  return static_cast<int64_t>(value);
}

int64_t HexToInt64(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  return ParseRadix(text, 16);
}

std::string ScrambleText(std::string_view text) {
  if (text.empty() || text.substr(0, kScrambleMarker.size()) != kScrambleMarker) {
    return std::string(text);
  }
  // A bare marker has no key character; it is transformed with a random key,
  // which leaves nothing that could pass for a plain text.
  int64_t key = RandomInt(33, 122);
  std::string body(text);
  if (text.size() > kScrambleMarker.size()) {
    key = static_cast<uint8_t>(text[kScrambleMarker.size()]);
    body = std::string(text.substr(kScrambleMarker.size() + 1));
  }
  for (size_t i = 0; i < body.size(); ++i) {
    const auto mask = static_cast<uint8_t>(static_cast<uint64_t>(i + 1) +
                                           static_cast<uint64_t>(key));
    body[i] = static_cast<char>(static_cast<uint8_t>(body[i]) ^ mask);
    key = -key;
  }
  return body;
}

std::optional<std::string> DecodeHeaderFieldChecked(std::string_view stored) {
  std::string hex(stored);
  for (char& c : hex) {
    c = static_cast<char>(static_cast<uint8_t>(c) - kFieldShift);
  }
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(HexToInt64(std::string_view(hex).substr(i, 2))));
  }
  if (bytes.empty()) {
    bytes.push_back(0);
  }
  const size_t n = bytes.size();
  if (n <= 4) {
    return std::nullopt;
  }
  uint8_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i != n - 2) {
      sum = static_cast<uint8_t>(sum + bytes[i]);
    }
  }
  if (sum != bytes[n - 2]) {
    return std::nullopt;
  }
  const uint8_t key = bytes[0] ^ bytes[n - 1];
  for (size_t i = 1; i + 1 < n; ++i) {
    bytes[i] ^= key;
  }
  const size_t lead = bytes[1];
  const size_t tail = bytes[2];
  if (n <= lead + tail + 4) {
    return std::string();
  }
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(lead + 3);
  return std::string(first, first + static_cast<std::ptrdiff_t>(n - lead - tail - 4));
}

std::string DecodeHeaderField(std::string_view stored) {
  std::optional<std::string> payload = DecodeHeaderFieldChecked(stored);
  return payload ? std::move(*payload) : FailureText();
}

bool TokensMatch(std::string_view stored_a, std::string_view stored_b) {
  const std::optional<std::string> a = DecodeHeaderFieldChecked(stored_a);
  if (!a) {
    return false;
  }
  const std::optional<std::string> b = DecodeHeaderFieldChecked(stored_b);
  return b && *a == *b;
}
