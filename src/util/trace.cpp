// The trace device: a 128-character buffer behind a critical section whose
// chunks reach the viewer in global atoms through a synchronous message.
#include "util/trace.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "util/trace_buffer.h"

namespace {

// The largest chunk the hand-over copies; the device's own chunks are far
// smaller.
constexpr std::size_t kChunkCopyLimit = 10241;

UINT ViewerMessage() {
  static const UINT message = ::RegisterWindowMessageA(kDebugViewerMessage);
  return message;
}

void HandOver(std::string_view chunk) {
  try {
    char local[kChunkCopyLimit + 1];
    const std::size_t length = std::min(chunk.size(), kChunkCopyLimit);
    std::memcpy(local, chunk.data(), length);
    local[length] = '\0';
    WriteDebugText(local);
  } catch (...) {
    // A failing viewer must never fail the traced step.
  }
}

struct Device {
  Device() : buffer(HandOver) {
    ::InitializeCriticalSection(&lock);
    ViewerMessage();
  }
  // Lives until the process ends: threads may still trace during exit.
  CRITICAL_SECTION lock;
  TraceBuffer buffer;
};

Device& TheDevice() {
  static Device* device = new Device();
  return *device;
}

}  // namespace

void InstallDebugOutput() { TheDevice(); }

void Trace(const std::string& line) {
  Device& device = TheDevice();
  // Held for the whole line, not only per chunk, so that lines from different
  // threads do not mix inside one chunk.
  ::EnterCriticalSection(&device.lock);
  device.buffer.WriteLine(line);
  ::LeaveCriticalSection(&device.lock);
}

void WriteDebugText(const char* chunk) {
  if (chunk == nullptr || *chunk == '\0') return;
  HWND viewer = ::FindWindowA(kDebugViewerClass, nullptr);
  if (viewer == nullptr) return;
  const ATOM atom = ::GlobalAddAtomA(chunk);
  if (atom == 0) return;  // full atom table or text too long: the text is lost
  ::SendMessageA(viewer, ViewerMessage(), kDebugViewerTag, atom);
  ::GlobalDeleteAtom(atom);
}

void LogException(const std::exception& error, const std::string& procedure) {
  Trace(ExceptionTraceLine(procedure, error.what()));
}

std::string TracePid() { return std::to_string(::GetCurrentProcessId()); }
