// Encoders for the scrambled texts the stub decodes (util/scrambled.h): the
// builder writes product and web tokens as checksummed header fields and
// INFORM texts in the "Scrambled=01" form.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// "Scrambled=01", the key character and the scrambled body. key must be in
// 33..122 so that the key character is printable; std::invalid_argument
// otherwise.
std::string EncodeScrambledText(std::string_view plain, int key);

// A checksummed header field with the given keys and filler. The tail filler
// is followed by the checksum byte, so the stored tail is one byte longer.
// The lead filler may have up to 255 bytes and the tail filler up to 254, so
// that both stored lengths fit a byte; std::invalid_argument otherwise.
std::string EncodeHeaderField(std::string_view payload, uint8_t key_a, uint8_t key_b,
                              std::string_view lead_filler, std::string_view tail_filler);

// The same with random keys, 1 to 8 lead filler bytes and 0 to 7 tail filler
// bytes (a stored tail of 1 to 8 bytes), so that equal payloads of two
// packages look different.
std::string EncodeHeaderFieldRandom(std::string_view payload, std::mt19937& random);
