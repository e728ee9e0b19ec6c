// Shows one message box from the command line, for looking at the box and
// taking screenshots of it:
//   message_box_demo KIND [TEXT]
// KIND: error (error box with heading), confirm (Yes/No), rtl (charset 177:
// right-aligned, right-to-left), three (Yes/No/Cancel, no heading).
// Prints the result code.
#include <cstdio>
#include <string>

#include "ui/message_box.h"
#include "ui/notice_window.h"

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "error";
  const std::string text = argc > 2 ? argv[2] : "";
  int result = 0;
  if (kind == "confirm") {
    result = MsgConfirm(0, text.empty() ? "<P>Continue with Setup?<P>" : text) ? IDYES : IDNO;
  } else if (kind == "rtl") {
    result = MsgBoxEx(1, text.empty() ? "Right-to-left reading order,<P>text aligned <B>right</B>." : text,
                      "Attention", kDefaultButtonCaptions, 177, MB_ICONEXCLAMATION | MB_OKCANCEL);
  } else if (kind == "notice") {
    result = ShowNotice(nullptr, "New version", "Download now",
                        text.empty() ? "{\\rtf1 {\\b Version 2.0 is available.}\\par\\par It is faster and "
                                       "fixes the printing problems of version 1.9.}"
                                     : text,
                        "https://example.com/download", 420, 260, "Tahoma", 8, 1);
  } else if (kind == "three") {
    result = MsgBoxEx(1, text.empty() ? "Save the changes?" : text, "Confirm", kDefaultButtonCaptions, 1,
                      MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON2);
  } else {
    MsgError(0,
             text.empty() ? "Not enough free disk space to extract the setup files.<P>"
                            "Please free <B>120 MB</B> on drive C: and try again."
                          : text,
             "Error");
  }
  std::printf("%d\n", result);
  return 0;
}
