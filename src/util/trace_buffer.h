// The trace stream's device buffer, kept free of Win32 so that the way a line
// is cut into viewer-sized chunks can be checked on the build machine.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Characters the device collects before it hands them to the sink; a global
// atom holds at most 255, so every chunk fits one atom.
inline constexpr std::size_t kTraceBufferSize = 128;

// Collects written text and hands it to the sink whenever the buffer fills and
// at the end of every line. Not thread-safe: the owner serialises access.
class TraceBuffer {
 public:
  using Sink = std::function<void(std::string_view chunk)>;
  explicit TraceBuffer(Sink sink) : sink_(std::move(sink)) {}

  void Write(std::string_view text);
  // Writes the text and the line terminator, then hands the rest over.
  void WriteLine(std::string_view line);
  void Flush();

 private:
  Sink sink_;
  char data_[kTraceBufferSize] = {};
  std::size_t count_ = 0;
};

// The chunks one line produces on an empty buffer, in order.
std::vector<std::string> TraceLineChunks(std::string_view line);

// The trace line reporting an exception caught inside `procedure`.
std::string ExceptionTraceLine(std::string_view procedure, std::string_view message);
