// The frames of one SANE scan put together as a picture: one grey or RGB
// frame, or three single-colour frames, at 1, 8 or 16 bits a sample.
#pragma once

#include <sane/sane.h>

#include <QImage>
#include <cstdint>
#include <vector>

namespace tintara {

class SaneFrameAssembler {
 public:
  // False for a frame this program cannot show (its format, depth or size).
  bool AddFrame(const SANE_Parameters& parameters, const std::vector<uint8_t>& bytes);
  // The picture, or a null image when no frame made one.
  QImage Result() const;

 private:
  bool AddChannel(int channel, const SANE_Parameters& parameters,
                  const std::vector<uint8_t>& bytes, int lines);

  QImage image_;
  int separateDepth_ = 0;  // depth of single-colour frames, 0 without them
};

}  // namespace tintara
