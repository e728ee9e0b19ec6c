// The part of TGFileInfo that asks Windows about a volume.
#include <windows.h>

#include "package/file_info.h"

uint64_t ClusterSizeOf(const std::string& folder) {
  DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, clusters = 0;
  const std::string root = folder.substr(0, 3);
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters, &clusters))
    return 0;
  return uint64_t(sectors_per_cluster) * bytes_per_sector;
}

double TGFileInfo::RequiredSpace(const std::string& folder) const {
  return RequiredSpaceForClusterSize(ClusterSizeOf(folder));
}
