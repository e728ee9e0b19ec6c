// In-memory extraction host.
#include "memory_extraction_host.h"

namespace fixture {
namespace {

class MemoryWriter : public package::EntryWriter {
 public:
  MemoryWriter(MemoryExtractionHost& host, std::string path) : host_(host), path_(std::move(path)) {}
  bool Append(const uint8_t* data, size_t size) override {
    if (host_.fail_writes || size > host_.max_file_bytes - host_.written_bytes) return false;
    host_.written_bytes += size;
    host_.files[path_].append(reinterpret_cast<const char*>(data), size);
    return true;
  }
  bool Finish(uint32_t dos_date) override {
    if (dos_date != 0) host_.dates[path_] = dos_date;
    return !host_.fail_writes;
  }

 private:
  MemoryExtractionHost& host_;
  std::string path_;
};

class OwnedMemorySource : public ByteSource {
 public:
  explicit OwnedMemorySource(const std::vector<uint8_t>& bytes) : bytes_(bytes), source_(bytes_) {}
  uint64_t Size() const override { return source_.Size(); }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
    return source_.ReadAt(offset, buffer, count);
  }

 private:
  std::vector<uint8_t> bytes_;
  MemoryByteSource source_;
};

}  // namespace

int MemoryExtractionHost::Count(const std::string& prefix) const {
  int n = 0;
  for (const auto& e : events) n += e.rfind(prefix, 0) == 0;
  return n;
}

std::unique_ptr<ByteSource> MemoryExtractionHost::OpenPart(const std::string& path) {
  auto it = parts.find(path);
  if (it == parts.end()) return nullptr;
  return std::make_unique<OwnedMemorySource>(it->second);
}

bool MemoryExtractionHost::FileExists(const std::string& path) {
  return parts.count(path) > 0 || files.count(path) > 0;
}

std::unique_ptr<package::EntryWriter> MemoryExtractionHost::OpenForAppend(const std::string& path, bool& existed) {
  if (fail_writes) return nullptr;
  existed = files.count(path) > 0;
  files[path];
  return std::make_unique<MemoryWriter>(*this, path);
}

std::unique_ptr<package::EntryWriter> MemoryExtractionHost::CreateNew(const std::string& path) {
  if (fail_writes) return nullptr;
  files[path].clear();
  return std::make_unique<MemoryWriter>(*this, path);
}

uint64_t MemoryExtractionHost::FileSize(const std::string& path) {
  auto it = files.find(path);
  return it == files.end() ? 0 : it->second.size();
}

bool MemoryExtractionHost::ConfirmDisk(const std::string& text) {
  events.push_back("prompt: " + text);
  if (on_prompt) on_prompt(*this);
  if (prompt_answers.empty()) return false;
  const bool answer = prompt_answers.front();
  prompt_answers.erase(prompt_answers.begin());
  return answer;
}

}  // namespace fixture
