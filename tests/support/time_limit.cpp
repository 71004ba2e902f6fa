#include "tests/support/time_limit.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace tintara::test {

ChildOutcome RunInChild(std::chrono::milliseconds limit, const std::function<bool()>& work) {
  pid_t child = fork();
  if (child < 0) return ChildOutcome::kFailed;
  if (child == 0) _exit(work() ? 0 : 1);
  const auto end = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return ChildOutcome::kTimedOut;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildOutcome::kPassed
                                                       : ChildOutcome::kFailed;
}

}  // namespace tintara::test
