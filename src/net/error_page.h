// Tells a web server's HTML answer (typically a "404" page) from the file a
// download asked for, so that the user is told the file is missing on the
// server instead of being shown a damaged-file message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Only the beginning of a page is looked at; a file is never read further.
inline constexpr size_t kErrorPageScanBytes = 1000;

// True when the first kErrorPageScanBytes bytes hold a "<TITLE" with "404"
// and then "</TITLE>" after it, or "<HTML>", "<HEAD>", "<TITLE>" and
// "</TITLE>" one after the other; ASCII case is ignored. Any bytes, any length.
bool IsHtmlErrorPage(std::string_view data);

// The same for the beginning of `file` when that names a file that can be
// opened; otherwise for `data`.
bool IsHtmlErrorPage(const std::string& file, std::string_view data);

// The rich-text message for a download that is not the expected file: a
// "404 File Not Found" message naming `url` when the server sent an HTML page,
// otherwise `fallback`.
std::string ErrorPageMessage(const std::string& file, std::string_view data, std::string_view url,
                             std::string_view fallback);
