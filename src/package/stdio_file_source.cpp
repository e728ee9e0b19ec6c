// ByteSource over stdio for the host builds (builder, tests, fuzzing).
#include <cstdio>
#include <memory>

#include "package/file_info.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

class StdioFileSource final : public ByteSource {
 public:
  explicit StdioFileSource(std::FILE* file) : file_(file) {
    if (fseeko(file, 0, SEEK_END) == 0) size_ = uint64_t(ftello(file));
  }
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
    if (offset >= size_ || fseeko(file_.get(), off_t(offset), SEEK_SET) != 0) return 0;
    return std::fread(buffer, 1, count, file_.get());
  }

 private:
  std::unique_ptr<std::FILE, FileCloser> file_;
  uint64_t size_ = 0;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return nullptr;
  return std::make_unique<StdioFileSource>(file);
}
