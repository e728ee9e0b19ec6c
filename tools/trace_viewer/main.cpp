// dunvex-trace: receives the stub's trace stream and writes it to standard
// output or a file. It owns a hidden top-level window of the viewer class
// (a message-only window would not be found by the stub's window search).
//
//   dunvex-trace [--output FILE] [--seconds N] [--delete-atoms]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <io.h>

namespace {

constexpr const char* kViewerClass = ".DDebug.";
constexpr const char* kViewerMessage = ".D_DebugMsg.";
constexpr WPARAM kViewerTag = 1;
constexpr UINT_PTR kStopTimer = 1;

UINT g_message = 0;
std::FILE* g_output = nullptr;
bool g_delete_atoms = false;

void WriteChunk(ATOM atom) {
  char text[256];  // an atom name holds at most 255 characters
  const UINT length = ::GlobalGetAtomNameA(atom, text, sizeof text);
  if (length == 0) return;
  std::fwrite(text, 1, length, g_output);
  // Flushed per chunk so that the trace survives the viewer being killed.
  std::fflush(g_output);
  // The stub deletes its own atom after the send; deleting here as well
  // would drop a reference that another program may hold on the same text.
  if (g_delete_atoms) ::GlobalDeleteAtom(atom);
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == g_message && g_message != 0) {
    if (wparam == kViewerTag) WriteChunk(static_cast<ATOM>(lparam));
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wparam == kStopTimer) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

int Usage() {
  std::fprintf(stderr, "usage: dunvex-trace [--output FILE] [--seconds N] [--delete-atoms]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const char* output_path = nullptr;
  long seconds = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
      output_path = argv[++i];
    } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      char* end = nullptr;
      seconds = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || seconds <= 0 || seconds > 24L * 3600 * 24) return Usage();
    } else if (std::strcmp(argv[i], "--delete-atoms") == 0) {
      g_delete_atoms = true;
    } else {
      return Usage();
    }
  }

  if (output_path) {
    g_output = std::fopen(output_path, "wb");
    if (!g_output) {
      std::fprintf(stderr, "dunvex-trace: cannot create %s\n", output_path);
      return 1;
    }
  } else {
    // The chunks carry their own CR LF; text mode would double the CR.
    _setmode(_fileno(stdout), _O_BINARY);
    g_output = stdout;
  }

  g_message = ::RegisterWindowMessageA(kViewerMessage);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ViewerProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kViewerClass;
  if (g_message == 0 || ::RegisterClassA(&window_class) == 0) {
    std::fprintf(stderr, "dunvex-trace: cannot register the viewer window\n");
    return 1;
  }
  HWND window = ::CreateWindowExA(0, kViewerClass, "Dunvex trace", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "dunvex-trace: cannot create the viewer window\n");
    return 1;
  }
  if (seconds > 0) ::SetTimer(window, kStopTimer, static_cast<UINT>(seconds * 1000), nullptr);

  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  if (g_output != stdout) std::fclose(g_output);
  return 0;
}
