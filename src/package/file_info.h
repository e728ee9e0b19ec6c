// TGFileInfo: the trailer and header lists of one package file, with the
// accessors the stub uses (flags, agent and web list items, texts of the
// language block).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "package/byte_source.h"
#include "package/package_format.h"

class TGFileInfo {
 public:
  TGFileInfo() { trailer_.version = 2; }
  // Reads the package of a file; a missing or unreadable file gives an empty
  // object (no flags, no lists).
  explicit TGFileInfo(const std::string& path);
  explicit TGFileInfo(ByteSource& file);

  const package::Trailer& Record() const { return trailer_; }
  bool HasPackage() const { return trailer_.HasMagic(); }
  const std::string& LanguageBlock() const { return lists_.language_block; }
  const std::string& AgentList() const { return lists_.agent_list; }
  const std::string& WebList() const { return lists_.web_list; }

  // Bytes the installation needs on the volume of `folder`.
  double RequiredSpace(const std::string& folder) const;
  double RequiredSpaceForClusterSize(uint64_t cluster_size) const;

  bool AlwaysConfirmTemp() const { return trailer_.HasFlag(package::kAlwaysConfirmTemp); }
  bool Spanned() const { return trailer_.HasFlag(package::kSpanned); }
  bool DiskSpanRelaunch() const { return trailer_.HasFlag(package::kDiskSpanRelaunch); }
  bool ShowBusyBar() const { return trailer_.HasFlag(package::kShowBusyBar); }
  bool AgentLog() const { return trailer_.HasFlag(package::kAgentLog); }
  bool WebSetup() const { return trailer_.web_setup != 0; }
  bool ConfirmDownload() const { return trailer_.confirm_download != 0; }
  bool CreateAgent() const { return trailer_.create_agent != 0; }
  bool AgentMode() const { return trailer_.agent_mode != 0; }

  std::string UpdateURL() const;
  std::string InfoFileName() const;
  // The agent's settings file: the INFO file's base name + ".original".
  std::string SettingsFileName() const;
  std::string AgentExeName() const;
  // The stored token descrambled (a failed field gives a text that matches
  // nothing), or as stored.
  std::string ProductToken(bool descramble) const;
  bool HiddenSetup() const;

  std::string WebURL() const;
  std::string WebSetupFileName() const;
  bool AlwaysDownload() const;
  std::string WebToken(bool descramble) const;
  std::string WebSetupSize() const;

  std::string LangString(std::string_view key, std::string_view fallback) const;
  int Charset() const;
  int FontSize() const;
  std::string FontName() const;

 private:
  void Read(ByteSource& file);

  package::Trailer trailer_;
  package::HeaderLists lists_;
};

// Opens a file for shared reading (others may read and write); nullptr when
// it cannot be opened. Windows and host builds each provide one.
std::unique_ptr<ByteSource> OpenFileForReading(const std::string& path);

// Cluster size of a folder's volume (Windows build); 0 when unknown, as for a
// UNC path.
uint64_t ClusterSizeOf(const std::string& folder);
