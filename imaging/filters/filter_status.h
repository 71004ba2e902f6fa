// Statuses of the filter engine: 0 is success, anything else a failure.
#pragma once

#include <string>

namespace tintara {

enum FilterStatus : int {
  kStatusOk = 0,
  kStatusCancelled = 1,       // the user stopped the run: not an error, never shown
  kStatusBadParameter = 2,    // a parameter of the wrong kind or out of range
  kStatusNotAvailable = 3,    // no such tool, or no output region
  kStatusNoMemory = 16,       // no memory for a picture or mask
  kStatusInsertMissing = 51,  // the insert tool is not registered
  kStatusCannotHandle = 114,  // the tool cannot handle this picture or produced none
};

// What a failed status tells the user.
std::string StatusMessage(int status);

}  // namespace tintara
