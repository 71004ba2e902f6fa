// Pictures on the clipboard: the device-independent bitmap another program
// offers as "image/bmp" (a BMP file, whose 14-byte file header is dropped),
// or any image Qt can hand over, turned into bitmap bytes first. Either way
// the bitmap conversion of the clipboard makes the true-colour picture.
#pragma once

#include <QByteArray>

#include "imaging/image_buffer.h"

class QMimeData;

namespace tintara {

inline constexpr const char kBitmapMimeType[] = "image/bmp";
// Our own clipboard format, registered under the name other copies expect.
inline constexpr const char kPatternClipboardFormat[] = "application/x-VEVERUvar30";

bool ClipboardHoldsPicture(const QMimeData* data);

// The bitmap part of "image/bmp" data: without the file header when the data
// starts with one ("BM"), else the data as it is.
QByteArray BitmapBytesOf(const QByteArray& bmpData);

// Null when the clipboard holds nothing that converts.
ImageRef PictureFromClipboard(const QMimeData* data);

}  // namespace tintara
