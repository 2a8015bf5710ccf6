// Time on Windows: the performance counter, and sleeps of a true millisecond.
#include "platform/windows_internal.h"
// after windows.h
#include <mmsystem.h>
#include <stdlib.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {
bool RAISED = false;  // timeBeginPeriod(1) is in force
}  // namespace

void Lower_Resolution() {
  if (RAISED) timeEndPeriod(1);
  RAISED = false;
}

long long Clock_Us() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  long long ticks = now.QuadPart;
  long long hz = frequency.QuadPart;
  return ticks / hz * 1000000 + ticks % hz * 1000000 / hz;
}

void Sleep_By_Ticks(long long us) {
  if (!RAISED && timeBeginPeriod(1) == TIMERR_NOERROR) {
    RAISED = true;
    atexit(Lower_Resolution);
  }
  // Whole milliseconds by Sleep, the rest by yielding until the clock says so.
  long long end = Clock_Us() + us;
  if (us >= 1000) Sleep(static_cast<DWORD>(us / 1000));
  while (Clock_Us() < end) Sleep(0);
}

void Sleep_Us(long long us) {
  if (us <= 0) return;
  // Sleep(1) lasts a whole timer tick, 15.6 ms by default, which would make
  // 1 ms pacing sixteen times too slow. A high-resolution waitable timer
  // (Windows 10 1803 and later) wakes on time without touching the system's
  // timer; elsewhere the timer resolution is raised to 1 ms for the life of
  // the process and lowered again at exit.
  static HANDLE timer = CreateWaitableTimerExW(
      nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer != nullptr) {
    LARGE_INTEGER due;
    due.QuadPart = -us * 10;  // relative, in 100 ns units
    if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) &&
        WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0)
      return;
  }
  Sleep_By_Ticks(us);
}
