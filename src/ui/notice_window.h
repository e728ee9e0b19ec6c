// The notice window ("DRichEditBox"): a publisher's notice about a new
// version in a resizable window, with an optional button that opens the
// publisher's download address. The notice is shown as RichEdit reads it
// (an RTF document formatted, anything else as plain text); the message
// box's tag language does not apply here.
#pragma once

#include <windows.h>

#include <string>

// Runs the window until the user closes it and returns true. With an empty
// body, opens the (trimmed) address instead and returns true, or returns
// false when the address is empty too. The button's font is face/size
// (points)/charset; the notice text is 15 pixels high in "Verdana" unless the
// face is another than "Tahoma".
bool ShowNotice(HWND owner, const std::string& caption, const std::string& button_caption,
                const std::string& body, const std::string& address, int width, int height,
                const std::string& face, int size, int charset);
