// HTML error-page check. The bytes come from the network or from a file the
// network filled, so nothing beyond the scanned head is ever touched.
#include "net/error_page.h"

#include <initializer_list>

#include "package/file_info.h"
#include "util/string_ops.h"

namespace {

// True when every marker occurs, each searched from just after the one before.
bool InOrder(std::string_view head, std::initializer_list<std::string_view> markers) {
  int from = 1;
  for (const std::string_view marker : markers) {
    const int found = PosFromNoCase(marker, head, from);
    if (found == 0) return false;
    from = found + static_cast<int>(marker.size());
  }
  return true;
}

}  // namespace

bool IsHtmlErrorPage(std::string_view data) {
  const std::string_view head = data.substr(0, kErrorPageScanBytes);
  return InOrder(head, {"<TITLE", "404", "</TITLE>"}) ||
         InOrder(head, {"<HTML>", "<HEAD>", "<TITLE>", "</TITLE>"});
}

bool IsHtmlErrorPage(const std::string& file, std::string_view data) {
  if (file.empty()) return IsHtmlErrorPage(data);
  const auto source = OpenFileForReading(file);
  if (!source) return IsHtmlErrorPage(data);
  std::string head(kErrorPageScanBytes, '\0');
  head.resize(source->ReadAt(0, head.data(), head.size()));
  return IsHtmlErrorPage(head);
}

std::string ErrorPageMessage(const std::string& file, std::string_view data, std::string_view url,
                             std::string_view fallback) {
  if (!IsHtmlErrorPage(file, data)) return std::string(fallback);
  std::string message = "<B>404 File Not Found...</B><P><P>URL:  ";
  message.append(url);
  message += ".<P><P>Please make sure the file is available and access is allowed to this file.";
  return message;
}
