// The rich label: a read-only RichEdit 1.0 control that shows a rich text with
// its bold runs, sized to the text in the message-box font.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/rich_text.h"

// Loads RICHED32.DLL (which registers the "RICHEDIT" class) from the system
// folder by its full path, never through the search path, so a DLL of that
// name planted beside the setup file is not loaded. Each call takes one more
// reference; null on failure.
HMODULE LoadRichEditLibrary();

// The process's own reference, taken on the first call that succeeds and
// never released (a failed load is tried again on the next call).
HMODULE KeepRichEditLoaded();

// Creates the label as a child of `parent` and sizes it to `text` (tag
// language) in `font`. Of `style` only MB_RIGHT and MB_RTLREADING count.
// The parent's window procedure must pass EN_REQUESTRESIZE notifications to
// NoteRichLabelResizeRequest, or the width fitting of bold texts sees no
// requested size.
HWND CreateRichLabel(HWND parent, int x, int y, int width, int height, uint32_t style,
                     const std::string& text, HFONT font);

// Pixel size that a plain text (CR LF line breaks) needs in `font`.
TextSize MeasureRichText(HWND control, HFONT font, const std::string& plain);

// For the parent's WM_NOTIFY: keeps the size a label asked for. Returns false
// (and keeps nothing) when the notification is not EN_REQUESTRESIZE.
bool NoteRichLabelResizeRequest(LPARAM notify);

// The last size any label asked for; kept across labels, (0, 0) at start.
TextSize LastRichLabelRequest();
