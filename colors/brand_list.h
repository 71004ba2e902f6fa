// The brand palette files of the program folder.
#pragma once

#include <string>
#include <vector>

namespace tintara {

struct BrandListEntry {
  std::string brandName;
  std::string path;
  int colorCount = 0;
};

// Full paths of the "*.dat" files of the folder (extension in any letter
// case), ordered by name without extension, without regard to case. Empty when the folder
// cannot be read.
std::vector<std::string> FindBrandFiles(const std::string& programFolder);

// Every brand file that can be read, loaded, in the order of FindBrandFiles.
std::vector<BrandListEntry> ListBrands(const std::string& programFolder);

// Position in `brands` of the entry whose path equals `path` without regard
// to case, or -1.
int FindBrandByPath(const std::vector<BrandListEntry>& brands, const std::string& path);
// Position in `brands` of the brand named `name` without regard to case, or -1.
int FindBrandByName(const std::vector<BrandListEntry>& brands, const std::string& name);

}  // namespace tintara
