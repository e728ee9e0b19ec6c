// Extraction of a package on Windows: the extraction walk with real files,
// message boxes, the message pump and the progress sink of the caller.
#pragma once

#include <functional>
#include <string>

#include "package/extraction.h"

// The progress events of extraction: event 0 resets the bar to `value`
// steps, event 1 advances it by one.
using ExtractionProgress = std::function<void(int event, uint32_t value)>;

struct ExtractPackageInput {
  std::string part1_path;
  std::string target_folder;
  std::string agent_copy_name;  // empty: no agent copy
  bool force_prompt = false;
  std::string prompt_text;      // the next-disk prompt with "<DISK_NUM>"
  std::string prompt_caption;
  std::string button_captions;
  int charset = 1;
  ExtractionProgress progress;
};

package::ExtractResult ExtractPackage(const ExtractPackageInput& input);
