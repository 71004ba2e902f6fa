// A started filter engine on real settings (an INI file in a private folder)
// with scripted answers for the user interface, and helpers for pictures.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/filters/apply_tool.h"
#include "imaging/filters/filter_engine.h"
#include "platform/qt_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara::test {

class FilterFixture : public ::testing::Test {
 protected:
  FilterFixture()
      : settings_(QString::fromStdString(folder_.File("tintara.ini"))),
        site_(host_, settings_, counters_) {}

  void SetUp() override { ASSERT_TRUE(FilterEngine::InitSite(site_)); }

  bool InPlace(const std::string& tool, const ImageRef& picture, const std::string& parameters,
               const Region* region = nullptr, const std::string& formats = "%d,%d,%d,%d") {
    return ApplyToolInPlace(site_, tool, picture, parameters, formats, region);
  }

  // A copy of `picture` after a window filter of nx by ny pixels.
  ImageRef Windowed(const std::string& tool, const ImageRef& picture, int nx, int ny,
                    const Region* region) {
    ImageRef copy = ImageBuffer::Copy(*picture);
    std::string text = std::to_string(nx) + "," + std::to_string(ny) + ",0,0";
    EXPECT_TRUE(InPlace(tool, copy, text, region)) << tool << " " << text;
    return copy;
  }

  ImageRef NewImage(const std::string& tool, const ImageRef& picture, const std::string& parameters,
                    const std::string& formats) {
    ImageRef result;
    if (!ApplyToolNewImage(site_, tool, picture, result, parameters, formats)) return nullptr;
    return result;
  }

  TempDir folder_;
  ScriptedUiHost host_;
  QtSettingsStore settings_;
  ProgressCounters counters_;
  FilterSite site_;
};

// Pixel access for checks (image y counts up from the bottom row).
inline const uint8_t* PixelAt(const ImageBuffer& image, int32_t x, int32_t y) {
  return image.Row(y) + size_t(x) * size_t(BitsPerPixel(image.Kind()) / 8);
}

}  // namespace tintara::test
