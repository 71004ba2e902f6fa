#include "document/document_snapshot.h"

namespace tintara {

ImageRef CopyOrNull(const ImageRef& image) {
  return image ? ImageBuffer::Copy(*image) : nullptr;
}

}  // namespace tintara
