// TGFileInfo: reading a package's trailer and header lists and answering
// questions about them.
#include "package/file_info.h"

#include "package/language_selection.h"
#include "ui/language_names.h"
#include "util/delimited_list.h"
#include "util/path_ops.h"
#include "util/scrambled.h"
#include "util/string_ops.h"

namespace {

enum AgentItem { kUpdateURL, kInfoFileName, kAgentExeName, kProductToken, kHiddenSetup };
enum WebItem { kWebURL, kWebSetupFileName, kAlwaysDownload, kWebToken, kWebSetupSize };

std::string Token(const std::string& list, int item, bool descramble) {
  std::string stored = SUB::Item(list, item);
  return descramble ? DecodeHeaderField(stored) : stored;
}

}  // namespace

TGFileInfo::TGFileInfo(const std::string& path) {
  trailer_.version = 2;
  if (auto file = OpenFileForReading(path)) Read(*file);
}

TGFileInfo::TGFileInfo(ByteSource& file) { Read(file); }

void TGFileInfo::Read(ByteSource& file) {
  trailer_ = package::ReadTrailer(file);
  if (auto lists = package::ReadHeaderLists(file, trailer_)) lists_ = std::move(*lists);
}

double TGFileInfo::RequiredSpaceForClusterSize(uint64_t cluster_size) const {
  return double(package::SpaceForClusterSize(trailer_.space_table, cluster_size));
}

std::string TGFileInfo::UpdateURL() const { return SUB::Item(lists_.agent_list, kUpdateURL); }
std::string TGFileInfo::InfoFileName() const {
  return FileNamePart(SUB::Item(lists_.agent_list, kInfoFileName));
}
std::string TGFileInfo::SettingsFileName() const { return FileBaseName(InfoFileName(), true) + ".original"; }
std::string TGFileInfo::AgentExeName() const { return SUB::Item(lists_.agent_list, kAgentExeName); }
std::string TGFileInfo::ProductToken(bool descramble) const {
  return Token(lists_.agent_list, kProductToken, descramble);
}
bool TGFileInfo::HiddenSetup() const { return SUB::Item(lists_.agent_list, kHiddenSetup) == "1"; }

std::string TGFileInfo::WebURL() const { return SUB::Item(lists_.web_list, kWebURL); }
std::string TGFileInfo::WebSetupFileName() const { return SUB::Item(lists_.web_list, kWebSetupFileName); }
bool TGFileInfo::AlwaysDownload() const { return SUB::Item(lists_.web_list, kAlwaysDownload) == "1"; }
std::string TGFileInfo::WebToken(bool descramble) const {
  return Token(lists_.web_list, kWebToken, descramble);
}
std::string TGFileInfo::WebSetupSize() const { return SUB::Item(lists_.web_list, kWebSetupSize); }

std::string TGFileInfo::LangString(std::string_view key, std::string_view fallback) const {
  return package::ProcessLanguageSelection().LangString(lists_.language_block, UserLanguageName(), key,
                                                       fallback);
}

int TGFileInfo::Charset() const { return int(ParseInt64(LangString("Charset", "0")).value_or(0)); }
int TGFileInfo::FontSize() const { return int(ParseInt64(LangString("FontSize", "8")).value_or(8)); }
std::string TGFileInfo::FontName() const { return LangString("FontName", "Tahoma"); }
