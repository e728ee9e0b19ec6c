// "dunvex-pack info": a readable account of a setup file.
#pragma once

#include <ostream>
#include <string>

namespace pack {

// Prints trailer, flags, lists (tokens masked), entries and the checksum
// verdict of every part. Returns 0 when the file is a sound package, 4 when a
// checksum fails or an entry is damaged, 2 when it is no package.
int PrintPackageInfo(const std::string& path, std::ostream& out);

}  // namespace pack
