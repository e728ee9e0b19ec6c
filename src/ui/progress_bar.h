// TProgBar: how a long transfer reports progress without knowing any window.
// Every report goes to a display procedure fixed at creation, and the
// thread's window messages are dispatched before and after it, so the
// program's windows (timers included) run inside every report.
#pragma once

#include <functional>
#include <string>

class TProgBar {
 public:
  // event 0: set the range 0..maximum, the position and the step size;
  // event 1: advance one step. `reserved` is always 0.
  using Display = std::function<void(int event, int reserved, int maximum, int position, int step,
                                     const std::string& text)>;

  explicit TProgBar(Display display);
  TProgBar(const TProgBar&) = delete;
  TProgBar& operator=(const TProgBar&) = delete;
  // Leaves the display reset (range 0, position 0).
  ~TProgBar();

  void Start(int position, int maximum);
  void Step(const std::string& text);
  // Shows nothing; only lets the waiting messages run.
  void Caption(const std::string& text);
  bool CancelRequested() const { return cancel_requested_; }

 private:
  Display display_;
  bool cancel_requested_ = false;
};
