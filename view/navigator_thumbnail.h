// The navigator's arithmetic, free of any window system: the thumbnail of the
// shown picture (aspect fit, nearest sampling, palette look-up), the frame
// that marks the part the view shows, dragging it inside the thumbnail, and
// the view's scroll position that a dragged frame stands for.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "view/view_mapping.h"

namespace tintara {

class CTessel20Doc;

// The colour of every thumbnail pixel without a picture.
inline constexpr uint8_t kNavigatorGrey = 92;

// A client-sized picture, top row first, three bytes red, green, blue per pixel.
struct NavigatorThumbnail {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
  // Where the picture lies inside the client area; empty without a picture.
  LtrbRect picture;
};

// The largest rectangle of the picture's proportions inside a client area of
// clientWidth × clientHeight, centred.
LtrbRect ThumbnailPictureRect(int32_t clientWidth, int32_t clientHeight, int32_t imageWidth,
                              int32_t imageHeight);

// The thumbnail of `image` (null: all grey). True-colour pixels are copied,
// every other kind is looked up in its palette. With `ink` (0..255) an 8-bit
// pattern shrunk both ways keeps its lines of that value, as the view does.
NavigatorThumbnail RenderThumbnail(const ImageBuffer* image, int32_t clientWidth,
                                   int32_t clientHeight, int ink = -1);

// What the navigator shows: the picture being edited, else by view mode the
// initial picture, the converted picture or the pattern.
const ImageBuffer* NavigatorImage(const CTessel20Doc& doc);
// The value of the lines of what the navigator shows: the pattern's ink, -1
// for a picture.
int NavigatorInk(const CTessel20Doc& doc);

// The frame marking the visible part: the view's client rectangle measured
// against the picture's rectangle in the view, scaled onto the thumbnail's
// picture rectangle and kept inside it.
LtrbRect FrameFromView(const LtrbRect& thumbnailPicture, const LtrbRect& viewClient,
                       const LtrbRect& pictureInView);

// The frame at the press moved by `offset`, pushed back inside the thumbnail's
// picture rectangle: top, then bottom, then left, then right edge.
LtrbRect MoveFrame(const LtrbRect& pressFrame, Point offset, const LtrbRect& thumbnailPicture);

// The view's scroll position for a frame: its offset in the thumbnail scaled
// to the view's scroll size.
Point ScrollFromFrame(const LtrbRect& frame, const LtrbRect& thumbnailPicture,
                      const ImageSize& scrollSize);

}  // namespace tintara
