// Where the stub may load libraries from. Setup files are usually started
// elevated from a download folder, where anyone could have put a library
// with the name of a system one; the stub therefore looks for libraries in
// the system folder only.
#pragma once

// Limits the library search of this process to the system folder and
// removes the current folder from it. Runs first thing at start-up.
void RestrictLibrarySearch();

// Loads the system libraries that the windows need later ("shell32.dll",
// "USP10.dll", "MSLS31.dll", "RICHED32.DLL"), each by its full system path
// and without the system's box for a missing file; they stay loaded.
void PreloadSystemLibraries();
