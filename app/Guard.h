#pragma once

#include <functional>

namespace pw {

class Platform;

// Runs the handler of an event. Whatever it throws ends there: the mouse pointer is put back and
// the error is shown as the common error report (GlobalErrorHandler), and the program goes on.
// No exception may unwind through the window system's event loop, which would end the program.
void runGuarded(Platform& platform, const std::function<void()>& handler);

// The same report for the exception being handled; call it only inside a catch block.
void reportPendingError(Platform& platform);

}  // namespace pw
