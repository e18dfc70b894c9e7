#pragma once
#include "host/win/Messages.h"

// Calls the window's procedure at once and returns its answer (0 for a handle that is no
// window). Sending to a window being destroyed is safe: the object lives until the last call
// on it returns.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message for the window's message loop; false for a handle that is no window.
// A null window posts a message that the loop hands out with hwnd null (a thread message).
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Makes GetMessage answer WM_QUIT (wParam = exitCode) once the posted messages are gone.
void PostQuitMessage(int exitCode);

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
// The next message, in the host's order: posted messages, then input, WM_QUIT, WM_PAINT for
// a window with an invalid region (parents before children), and WM_TIMER of a due timer.
// A window filter or message range limits the search (input is only taken unfiltered).
// Returns false at once when there is none.
bool PeekMessage(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Like PeekMessage with PM_REMOVE, but waits (through the backend) until a message comes.
// Returns false for WM_QUIT.
bool GetMessage(MSG* msg, HWND wnd, UINT filterMin, UINT filterMax);
// Hands a retrieved message to its window's procedure and returns the answer. A WM_PAINT
// that the procedure leaves unvalidated is validated, so it does not come back forever.
LRESULT DispatchMessage(const MSG* msg);
// Waits until something arrives for the queue (input, a posted message or a timer).
void WaitMessage();

// Dispatches every message that is ready now and presents what was painted, without
// waiting; modal loops started by a dispatched message run inside. Returns false when it met
// WM_QUIT, which stays queued for the loop that owns it.
bool DispatchPendingMessages();
