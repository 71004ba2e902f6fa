#include "imaging/filters/filter_status.h"

namespace tintara {

std::string StatusMessage(int status) {
  switch (status) {
    case kStatusBadParameter: return "The filter was given invalid parameters.";
    case kStatusNotAvailable: return "The filter is not available.";
    case kStatusNoMemory: return "There is not enough memory for the picture.";
    case kStatusInsertMissing: return "The tool that inserts the result is not available.";
    case kStatusCannotHandle: return "The filter cannot process this picture.";
    default: return "The filter failed (error " + std::to_string(status) + ").";
  }
}

}  // namespace tintara
