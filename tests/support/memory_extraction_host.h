// An extraction host that keeps parts and written files in memory, for the
// host tests and the fuzzer of the extraction walk. Prompts are answered from
// a script; every call the walk makes is recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "package/extraction.h"

namespace fixture {

class MemoryExtractionHost : public package::ExtractionHost {
 public:
  std::map<std::string, std::vector<uint8_t>> parts;  // path -> bytes
  std::map<std::string, std::string> files;           // written files
  std::map<std::string, uint32_t> dates;
  std::vector<std::string> events;  // "reset N", "step", "error: ...", "prompt: ...", "trace: ..."
  // Answers to the disk prompt, in order; runs out as Cancel. `on_prompt`
  // may add the missing part before the answer is taken.
  std::vector<bool> prompt_answers;
  std::function<void(MemoryExtractionHost&)> on_prompt;
  bool fail_writes = false;
  size_t max_file_bytes = SIZE_MAX;  // writes past this many bytes in all fail
  size_t written_bytes = 0;
  uint64_t clock = 0;

  int Count(const std::string& prefix) const;

  std::unique_ptr<ByteSource> OpenPart(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateFolder(const std::string&) override { return true; }
  std::unique_ptr<package::EntryWriter> OpenForAppend(const std::string& path, bool& existed) override;
  std::unique_ptr<package::EntryWriter> CreateNew(const std::string& path) override;
  uint32_t FileDate(const std::string&) override { return 0x12345678; }
  uint64_t FileSize(const std::string& path) override;
  double DiskFreeBytes(const std::string&) override { return 1e9; }
  std::string LastErrorText() override { return "disk full"; }
  void PumpMessages() override {}
  void WaitPumping(uint32_t ms) override { clock += ms; }
  uint64_t Milliseconds() override { return clock; }
  void ProgressReset(uint32_t maximum) override { events.push_back("reset " + std::to_string(maximum)); }
  void ProgressStep() override { events.push_back("step"); }
  void ShowError(const std::string& text) override { events.push_back("error: " + text); }
  bool ConfirmDisk(const std::string& text) override;
  void SetAutoPlayCancel() override { events.push_back("autoplay"); }
  void EjectCD(const std::string& path) override { events.push_back("eject " + path); }
  void Trace(const std::string& line) override { events.push_back("trace: " + line); }
  uint32_t ProcessId() override { return 7; }
};

}  // namespace fixture
