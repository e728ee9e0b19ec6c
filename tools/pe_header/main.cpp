// move-pe-header FILE: run after linking the stub (see pe_header.h).
#include <fstream>
#include <iostream>
#include <iterator>

#include "pe_header.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: move-pe-header PROGRAM.exe\n";
    return 1;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "move-pe-header: cannot read " << argv[1] << "\n";
    return 2;
  }
  std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::string error;
  if (!pe_header::MovePeHeader(image, error)) {
    std::cerr << "move-pe-header: " << argv[1] << ": " << error << "\n";
    return 3;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
  if (!out) {
    std::cerr << "move-pe-header: cannot write " << argv[1] << "\n";
    return 2;
  }
  return 0;
}
