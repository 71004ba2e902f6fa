#include "tests/support/project_reading.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tintara::test {

ProjectData ReadProjectAt(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file.good()) << path;
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ProjectData data;
  EXPECT_TRUE(ReadProject(bytes, ProgramFolder().string() + "/", data)) << path;
  return data;
}

}  // namespace tintara::test
