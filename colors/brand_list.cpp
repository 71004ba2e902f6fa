#include "colors/brand_list.h"

#include "colors/brand_palette.h"
#include "colors/file_names.h"

namespace tintara {

std::vector<std::string> FindBrandFiles(const std::string& programFolder) {
  std::vector<std::string> paths;
  for (FolderFile& file : ListFilesWithExtension(programFolder, ".dat")) {
    paths.push_back(std::move(file.path));
  }
  return paths;
}

std::vector<BrandListEntry> ListBrands(const std::string& programFolder) {
  std::vector<BrandListEntry> brands;
  for (const std::string& path : FindBrandFiles(programFolder)) {
    std::optional<BrandPalette> palette = BrandPalette::Load(path);
    if (!palette) continue;
    brands.push_back({palette->BrandName(), path, palette->Count()});
  }
  return brands;
}

int FindBrandByPath(const std::vector<BrandListEntry>& brands, const std::string& path) {
  for (size_t i = 0; i < brands.size(); ++i) {
    if (EqualsIgnoreCase(brands[i].path, path)) return int(i);
  }
  return -1;
}

int FindBrandByName(const std::vector<BrandListEntry>& brands, const std::string& name) {
  for (size_t i = 0; i < brands.size(); ++i) {
    if (EqualsIgnoreCase(brands[i].brandName, name)) return int(i);
  }
  return -1;
}

}  // namespace tintara
