// The process keeps one AutoPlay-cancel message number.
#include "util/autoplay.h"

namespace {
UINT g_autoplay_cancel_message = 0;
}

void SetAutoPlayCancel(bool on) {
  g_autoplay_cancel_message = on ? ::RegisterWindowMessageA("QueryCancelAutoPlay") : 0;
}

UINT AutoPlayCancelMessage() { return g_autoplay_cancel_message; }
