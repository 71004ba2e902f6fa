#include "document/picture_info.h"

#include "colors/color_fidelity.h"
#include "document/tessel_doc.h"
#include "pattern/used_colors.h"

namespace tintara {

namespace {

constexpr int kFallbackDpi = 72;

int HorizontalDpi(const ImageBuffer& image) {
  const int dpi = image.HorizontalDpi();
  return dpi == 0 ? kFallbackDpi : dpi;
}

}  // namespace

InfoKind ChooseInfoKind(const CTessel20Doc& doc) {
  if (!doc.initialPicture && !doc.convertedPicture) return InfoKind::kAbout;
  if (doc.initialPicture && doc.viewMode == kViewInitial) return InfoKind::kPicture;
  if (doc.convertedPicture) return InfoKind::kPattern;
  return InfoKind::kPicture;
}

PictureInfo DescribePicture(const CTessel20Doc& doc, int prefUnits) {
  PictureInfo info;
  const ImageBuffer* picture = doc.initialPicture.get();
  if (picture == nullptr) return info;
  info.width = picture->Width();
  info.height = picture->Height();
  double dpi = HorizontalDpi(*picture);
  if (prefUnits == 0) {
    info.widthLength = info.width * 2.54 / dpi;
    info.heightLength = info.height * 2.54 / dpi;
    info.unitLabel = "Centimeters";
  } else if (prefUnits == 1) {
    info.widthLength = info.width / dpi;
    info.heightLength = info.height / dpi;
    info.unitLabel = "Inches";
  }
  switch (doc.pictureOrigin) {
    case kOriginFile: info.origin = doc.pictureFileName; break;
    case kOriginClipboard: info.origin = "Clipboard"; break;
    case kOriginDevice: info.origin = doc.originDeviceName; break;
    default: break;
  }
  return info;
}

PatternInfo DescribePattern(const CTessel20Doc& doc) {
  UsedColors used = CountUsedColors(doc.indexImage.get(), doc.params.workingPalette);
  PatternInfo info{used.count, std::move(used.brands), std::nullopt};
  if (doc.initialPicture && doc.convertedPicture) {
    info.meanDifference = ConversionDifference(*doc.initialPicture, *doc.convertedPicture);
  }
  return info;
}

}  // namespace tintara
