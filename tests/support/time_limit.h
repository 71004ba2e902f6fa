// Runs work that might block for ever (reading a pipe, a device) in a child
// process, so that a hang fails the test instead of stopping the whole run.
#pragma once

#include <chrono>
#include <functional>

namespace tintara::test {

enum class ChildOutcome { kPassed, kFailed, kTimedOut };

// `work` returns whether it passed; the child is killed after `limit`.
ChildOutcome RunInChild(std::chrono::milliseconds limit, const std::function<bool()>& work);

}  // namespace tintara::test
