#pragma once

#include <QObject>
#include <functional>
#include <type_traits>

namespace pw {

class Platform;

// Runs the handler of an event. Whatever it throws ends there: the mouse pointer is put back and
// the error is shown as the common error report (GlobalErrorHandler), and the program goes on.
// No exception may unwind through the window system's event loop, which would end the program.
void runGuarded(Platform& platform, const std::function<void()>& handler);

// The one way a window wires a control: `signal` of `sender` runs `handler` guarded, for as long
// as `window` lives. `handler` is one of the window's handlers (`&FormB::cmdClose_Click`) or any
// callable taking no arguments.
template <typename Sender, typename Signal, typename Window, typename Handler>
void connectGuarded(Platform& platform, Sender* sender, Signal signal, Window* window,
                    Handler handler) {
    QObject::connect(sender, signal, window, [&platform, window, handler] {
        runGuarded(platform, [&] {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (window->*handler)();
            else
                handler();
        });
    });
}

// The same report for the exception being handled; call it only inside a catch block.
void reportPendingError(Platform& platform);

}  // namespace pw
