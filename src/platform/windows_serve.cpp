// Ctrl+C for the loopback server on Windows: the console's requests to end
// the process call the stop function instead. A closing window ends the
// process once the handler returns, so the handler waits a little for the
// server to finish the request at hand.
#include <atomic>

#include "platform/platform.h"
#include "platform/windows_internal.h"

namespace {

std::atomic<void (*)()> STOP{nullptr};  // the handler runs in a thread of its own

BOOL WINAPI On_Control(DWORD event) {
  void (*stop)() = STOP.load();
  if (!stop) return FALSE;
  stop();
  if (event == CTRL_CLOSE_EVENT)
    for (int i = 0; i < 40 && STOP; ++i) Sleep(50);  // the system allows five seconds
  return TRUE;
}

}  // namespace

void On_Interrupt(void (*stop)()) {
  if (stop && !STOP) SetConsoleCtrlHandler(On_Control, TRUE);
  if (!stop && STOP) SetConsoleCtrlHandler(On_Control, FALSE);
  STOP = stop;
}
