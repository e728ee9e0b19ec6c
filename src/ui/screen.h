// Facts about the screen that the windows' layouts and fonts depend on.
#pragma once

// The screen's vertical resolution in dots per inch, read once per process.
int ScreenPixelsPerInch();
