// zlib streams that end themselves however the work around them stops.
#pragma once

#include <zlib.h>

namespace tintara {

struct DeflateStream {
  z_stream z{};
  bool ready = false;
  DeflateStream() { ready = deflateInit(&z, Z_DEFAULT_COMPRESSION) == Z_OK; }
  ~DeflateStream() {
    if (ready) deflateEnd(&z);
  }
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;
};

struct InflateStream {
  z_stream z{};
  bool ready = false;
  InflateStream() { ready = inflateInit(&z) == Z_OK; }
  ~InflateStream() {
    if (ready) inflateEnd(&z);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
};

}  // namespace tintara
