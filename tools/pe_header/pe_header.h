// Moving a program's PE header to file offset 256, so that the eight bytes at
// 248..255 of the DOS area are free for the package end offset and the
// package reader can recognise the stub by "PE" at 256.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pe_header {

constexpr uint32_t kTargetOffset = 256;

// Moves the NT headers and section table to kTargetOffset and clears the
// bytes between the DOS stub and them. False with a reason when the image is
// no PE file or the headers would not fit before the first section.
bool MovePeHeader(std::vector<uint8_t>& image, std::string& error);

}  // namespace pe_header
