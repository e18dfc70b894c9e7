#pragma once
#include <memory>

#include "host/sys/Exception.h"
#include "host/win/Backend.h"

// The window system cannot serve a call (no backend, no display).
class EWindowSystemError : public Exception {
public:
    using Exception::Exception;
};

// Starts the window system on a backend; every window call needs it. A running system is
// shut down first.
void InitWindowSystem(std::unique_ptr<TBackend> backend);
// Drops every window and the backend without calling any window procedure (the program
// destroys the windows it cares about first). Not to be called from inside a message.
void DoneWindowSystem();
bool WindowSystemRunning();
// The backend in use; EWindowSystemError when the system is not running.
TBackend& CurrentBackend();
// Shows every window at `scale` device pixels per logical pixel (1 to kMaxBitmapScale) and
// draws it that much finer; windows, input and painting keep to logical pixels. Meant for the
// program's start, before its windows are shown: existing surfaces are made anew and repainted.
void SetDisplayScale(int scale);
