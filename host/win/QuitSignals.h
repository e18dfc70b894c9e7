#pragma once

// SIGTERM, SIGINT and SIGHUP as the user's or the session's request that the program end.
// The handler only sets a flag and writes a byte into a pipe, both safe in a signal handler;
// the backends take the request from there, and a backend's wait watches the pipe so that a
// signal wakes it.
void CatchQuitSignals();
// The pipe's read end, readable once a quit signal came; -1 while the signals are not caught.
int QuitSignalFd();
// Whether a quit signal came since the last call; empties the pipe.
bool TakeQuitSignal();
