// Long work (pattern creation, colour reduction, filters, project reading and
// writing) runs on a worker thread while the user-interface thread keeps the
// progress window and any question the work asks alive. Other input is held
// off until the work ends, so the document is touched by one thread at a time.
#pragma once

#include <functional>

namespace tintara {

class QtUiHost;

// Runs `work` on a worker thread and returns when it has finished; the
// notices the work raised are delivered afterwards, on this thread. Must be
// called on the user-interface thread.
void RunLongWork(QtUiHost& host, const std::function<void()>& work);

}  // namespace tintara
