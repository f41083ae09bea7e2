#pragma once
// The few system services of the classic desktop that the components use:
// the pointer position, rectangles, posted messages, hidden message windows
// with numbered timers.

#include <functional>

#include "Messages.h"
#include "Types.h"

// Anything that can receive window messages. A handle stays valid while the
// object lives; messages posted to a handle that has gone are dropped.
class TWindowTarget {
 public:
  virtual void WndProc(TMessage& message) = 0;
  static bool IsLive(const TWindowTarget* target);

 protected:
  TWindowTarget();
  virtual ~TWindowTarget();
  TWindowTarget(const TWindowTarget&) = delete;
  TWindowTarget& operator=(const TWindowTarget&) = delete;
};
using HWND = TWindowTarget*;

// The pointer's position in screen coordinates. Tests can put the pointer
// where they want without moving the real one.
bool GetCursorPos(TPoint* point);
void SetCursorPosOverride(const TPoint* point);

bool PtInRect(const TRect& rect, TPoint point);

// Queues the message for the target's window procedure; runs on the thread
// of the message loop, inside the standard exception guard.
bool PostMessageA(HWND target, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND target, UINT msg, WPARAM wParam, LPARAM lParam);

// A hidden window whose messages go to the given procedure.
using TWndMethod = std::function<void(TMessage&)>;
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);
LRESULT DefWindowProcA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Numbered timers of a window; each tick arrives as WM_TIMER with the timer's
// number in WParam. SetTimer returns 0 when it cannot start the timer.
UINT SetTimer(HWND window, UINT id, UINT milliseconds, void* unused = nullptr);
bool KillTimer(HWND window, UINT id);
// Makes SetTimer refuse, as a system out of timers does.
void SetTimersRefused(bool refused);
