// Tone tables: entry v is the new value of a channel whose old value is v, the
// same table for blue, green and red.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

using ToneTable = std::array<uint8_t, 256>;

// v + 15·direction, clamped (direction +1 lighter, -1 darker).
ToneTable BrightnessTable(int direction);
// The contrast curve for direction +1 (more) or -1 (less).
ToneTable ContrastTable(int direction);
// Stretch table from the smallest and largest byte over every pixel row of
// the picture (padding excluded); v is scaled, not shifted by the smallest.
ToneTable AutoToneTable(const ImageBuffer& picture);
// Four segments of 64 entries through five points.
ToneTable CurveTable(const std::array<int, 5>& points);

constexpr int kSmartTuneMethodCount = 8;
// The list entries of "Smart Tune", in list order.
const std::vector<std::string>& SmartTuneMethodNames();
// All eight tables for the picture, in list order ("Auto" first).
std::vector<ToneTable> SmartTuneTables(const ImageBuffer& picture);

}  // namespace tintara
