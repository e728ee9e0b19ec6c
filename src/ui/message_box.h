// The stub's own modal message box ("DMsgBox") and its wrappers. Texts are in
// the rich-text tag language; results are the Win32 button codes.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

// Mode: 0 shows the title as a bold heading; 1 no heading; 2 no heading and
// the Close command disabled; 3 or more is the parent window's handle.
using MsgBoxMode = uintptr_t;

constexpr uint32_t kMsgBoxNoClose = 0x10000000;
inline const char kDefaultButtonCaptions[] = "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|";
inline const char kMsgBoxTitles[] = "|Error|Attention|Confirm|";

int ShowMessageBox(HWND parent, const std::string& text, const std::string& title, const std::string& captions,
                   uint32_t style);
int MsgBoxEx(MsgBoxMode mode, const std::string& text, const std::string& title, const std::string& captions,
             int charset, uint32_t style);
void MsgError(MsgBoxMode mode, const std::string& text, const std::string& title = "",
              const std::string& captions = "", int charset = 1);
void MsgAttention(MsgBoxMode mode, const std::string& text, const std::string& title = "",
                  const std::string& captions = "", int charset = 1);
bool MsgConfirm(MsgBoxMode mode, const std::string& text, const std::string& title = "",
                const std::string& captions = "", int charset = 1);
bool MsgConfirmOk(MsgBoxMode mode, const std::string& text, const std::string& title = "",
                  const std::string& captions = "", int charset = 1);
void SetMsgBoxFont(const std::string& face, int size, int charset);
