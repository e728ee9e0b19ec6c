// Cutting of trace text into device chunks.
#include "util/trace_buffer.h"

#include <algorithm>

void TraceBuffer::Write(std::string_view text) {
  while (!text.empty()) {
    const std::size_t taken = std::min(text.size(), kTraceBufferSize - count_);
    std::copy_n(text.data(), taken, data_ + count_);
    count_ += taken;
    text.remove_prefix(taken);
    if (count_ == kTraceBufferSize) Flush();
  }
}

void TraceBuffer::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
  Flush();
}

void TraceBuffer::Flush() {
  if (count_ == 0) return;
  // Emptied before the hand-over so that a sink that throws cannot make the
  // same text go out twice.
  const std::string chunk(data_, count_);
  count_ = 0;
  if (sink_) sink_(chunk);
}

std::vector<std::string> TraceLineChunks(std::string_view line) {
  std::vector<std::string> chunks;
  TraceBuffer buffer([&chunks](std::string_view chunk) { chunks.emplace_back(chunk); });
  buffer.WriteLine(line);
  return chunks;
}

std::string ExceptionTraceLine(std::string_view procedure, std::string_view message) {
  std::string line = " --- ";
  line.append(procedure);
  line += "() --- ";
  line.append(message);
  return line;
}
