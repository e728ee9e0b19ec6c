// The progress report object: forwards reports to its display between two
// passes of the message pump.
#include "ui/progress_bar.h"

#include <utility>

#include "util/message_pump.h"

namespace {

// A report comes with every received chunk: the waiting messages run, but
// the thread does not sleep, which would cost a timer tick per chunk.
void DispatchWaiting() { PumpPendingMessages(); }

}  // namespace

TProgBar::TProgBar(Display display) : display_(std::move(display)) {}

TProgBar::~TProgBar() {
  DispatchWaiting();
  if (display_) display_(0, 0, 0, 0, 1, "");
  DispatchWaiting();
}

void TProgBar::Start(int position, int maximum) {
  DispatchWaiting();
  if (display_) display_(0, 0, maximum, position, 1, "");
  DispatchWaiting();
}

void TProgBar::Step(const std::string& text) {
  DispatchWaiting();
  if (display_) display_(1, 0, 0, 0, 0, text);
  DispatchWaiting();
}

void TProgBar::Caption(const std::string&) { DispatchWaiting(); }
