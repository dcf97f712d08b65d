#pragma once

class QCoreApplication;

namespace pw {

// SIGTERM (a session that logs out, `kill`), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal closed) end the program as its Exit does not: without questions, but through the
// event loop, so that the windows close, the files are closed and the data folder's lock is
// given back. The handler only writes a byte to a pipe the event loop watches.
void quitOnTerminationSignals(QCoreApplication& app);
// True once such a signal has been seen by an event loop: one that came while a dialog of the
// start-up was open ended only that dialog's loop, and the main loop must then not start.
bool terminationRequested();

}  // namespace pw
