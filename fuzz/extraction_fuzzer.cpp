// libFuzzer target of the extraction walk: the input is part 1 of a package,
// extracted with an in-memory host. The walk must never crash, hang or write
// a file outside the target folder, whatever the bytes.
#include <cstdint>
#include <cstring>

#include "memory_extraction_host.h"
#include "package/extraction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fixture::MemoryExtractionHost host;
  host.max_file_bytes = 4u << 20;  // inflated output of one run stays small
  host.parts["D:\\setup.exe"].assign(data, data + size);
  package::ExtractRequest request;
  request.part1_path = "D:\\setup.exe";
  request.target_folder = "C:\\T";
  request.agent_copy_name = "Agent.exe";
  request.disk_prompt = "disk <DISK_NUM>";
  const package::ExtractResult result = package::ExtractPackage(request, host);
  for (const auto& [path, content] : host.files) {
    // Every written file lies directly in the target folder.
    if (path.rfind("C:\\T\\", 0) != 0 || path.find_first_of("\\/:", 5) != std::string::npos) __builtin_trap();
  }
  if (!result.engine_command.empty() && result.engine_command.find('*') == std::string::npos) __builtin_trap();
  return 0;
}
