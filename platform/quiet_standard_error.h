// The picture libraries write to standard error on their own, past Qt's
// message handler (libpng's default error handler, libtiff's handlers), so a
// bad picture would give their lines besides the program's one. While a
// QuietStandardError lives, standard error is closed to them.
#pragma once

namespace tintara {

class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;  // the real standard error
};

}  // namespace tintara
