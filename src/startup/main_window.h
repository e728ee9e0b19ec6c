// The main window of setup mode and of the agent: a small progress window
// with the product icon, a label and two progress bars. It carries the
// process's message loop; its one-second timer drives the run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct MainWindowSettings {
  std::string class_name;  // setup: the executable's full path; agent: ".AutoUpdate." + name
  std::string title;
  int charset = 0;         // the package's charset: 177 and 178 lay the window out right to left
  std::string font_name = "Tahoma";
  int font_size = 8;
  // Each tick of timer 1; the setup start or the agent's cycle.
  std::function<void()> on_timer;
  // The private messages 1123 to 1125; returns true when it handled the
  // message, with the result in `result`.
  std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)> on_private_message;
  // Clean-up when the window is destroyed (the temporary folder of the run).
  std::function<void()> on_destroy;
};

struct MainWindowHandles {
  HWND window = nullptr;
  HWND label = nullptr;
  HWND main_bar = nullptr;
  HWND busy_bar = nullptr;
};

// Registers the class, creates the window hidden and runs the message loop
// until the run ends (the window procedure's "WinMain").
void RunMainWindow(const MainWindowSettings& settings);
const MainWindowHandles& MainWindow();

// Applies the label's look and text.
void SetProgressLabel(HWND label, const std::string& text, const std::string& face, int charset, int size);
// A first close request only asks a running download to stop (false); a
// later one lets the window close (true).
bool CloseMainWindow();
void DestroyMainWindow();
