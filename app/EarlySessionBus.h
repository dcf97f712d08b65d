#pragma once

#include <thread>

namespace pw {

// Connects to the session bus on a thread of its own, started once the application object is made
// and the options are read; the thread is joined when the returned object goes. The screen reader
// bridge of the X11 and Wayland platforms connects to the session bus when the first control gets
// a text, and waits for it; where no session bus runs yet (a bare X server), connecting starts one
// through dbus-launch, some milliseconds. Connected early, the start-up takes its data folder and
// loads its fonts meanwhile. On other platforms (offscreen) nothing is started.
std::jthread connectSessionBusEarly();

}  // namespace pw
