// Extraction of a package into a folder: the walk over the parts' blocks,
// streaming inflate, entry headers, the engine marker, append semantics,
// spanned parts with the disk prompt and the agent copy. The walk is pure;
// everything it does to the system goes through ExtractionHost, which the
// Win32 layer implements and tests and the fuzzer replace.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "package/byte_source.h"
#include "package/package_format.h"

namespace package {

// An inflate failure; what() is zlib's message.
class EZLibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file being written by extraction; content arrives in pieces.
class EntryWriter {
 public:
  virtual ~EntryWriter() = default;
  virtual bool Append(const uint8_t* data, size_t size) = 0;
  // Sets the file date (packed DOS date and time; 0 leaves it) and closes.
  virtual bool Finish(uint32_t dos_date) = 0;
};

class ExtractionHost {
 public:
  virtual ~ExtractionHost() = default;
  virtual std::unique_ptr<ByteSource> OpenPart(const std::string& path) = 0;  // nullptr when missing
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& folder) = 0;  // with all missing parents
  // Opens a file for appending, creating it when missing; nullptr on
  // failure. `existed` tells whether the file was there before.
  virtual std::unique_ptr<EntryWriter> OpenForAppend(const std::string& path, bool& existed) = 0;
  // Creates a file, replacing one that is there; nullptr on failure.
  virtual std::unique_ptr<EntryWriter> CreateNew(const std::string& path) = 0;
  virtual uint32_t FileDate(const std::string& path) = 0;
  virtual uint64_t FileSize(const std::string& path) = 0;
  virtual double DiskFreeBytes(const std::string& path) = 0;
  virtual std::string LastErrorText() = 0;

  virtual void PumpMessages() = 0;                  // dispatch pending messages, no sleep
  virtual void WaitPumping(uint32_t milliseconds) = 0;
  virtual uint64_t Milliseconds() = 0;

  virtual void ProgressReset(uint32_t maximum) = 0;
  virtual void ProgressStep() = 0;

  virtual void ShowError(const std::string& text) = 0;                   // MsgError, mode 0
  virtual bool ConfirmDisk(const std::string& text) = 0;                 // MsgConfirmOk, mode 0
  virtual void SetAutoPlayCancel() = 0;
  virtual void EjectCD(const std::string& path) = 0;
  virtual void Trace(const std::string& line) = 0;
  virtual uint32_t ProcessId() = 0;
};

struct ExtractRequest {
  std::string part1_path;
  std::string target_folder;
  std::string agent_copy_name;  // empty: no agent copy
  bool force_prompt = false;
  std::string disk_prompt;      // with "<DISK_NUM>"
};

struct ExtractResult {
  bool verdict = false;         // the last part checked passed its checksum
  std::string engine_command;   // empty when no engine entry was met or the user cancelled
  bool error_shown = false;     // a damaged package was already reported to the user
};

// The run-wide count of files that could not be written (only the first is
// reported to the user).
int ExtractionErrorCount();

ExtractResult ExtractPackage(const ExtractRequest& request, ExtractionHost& host);

}  // namespace package
