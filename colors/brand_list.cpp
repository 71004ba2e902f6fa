#include "colors/brand_list.h"

#include <algorithm>
#include <filesystem>

#include "colors/brand_palette.h"
#include "colors/file_names.h"

namespace tintara {

namespace fs = std::filesystem;

std::vector<std::string> FindBrandFiles(const std::string& programFolder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(programFolder.empty() ? "." : programFolder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (name.size() > 4 && EndsWithIgnoreCase(name, ".dat")) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
  std::vector<std::string> paths;
  paths.reserve(names.size());
  for (const std::string& name : names) paths.push_back(JoinPath(programFolder, name));
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

}  // namespace tintara
