// AutoPlay suppression while the stub asks for the next disk: the windows of
// the stub answer the registered "QueryCancelAutoPlay" message with 1 once
// it is switched on.
#pragma once

#include <windows.h>

void SetAutoPlayCancel(bool on);
// The registered message number, 0 while suppression is off (then no
// message matches it).
UINT AutoPlayCancelMessage();
