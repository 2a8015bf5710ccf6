// Ctrl+C for the loopback server on POSIX: the signals that would end the
// process call the stop function instead.
#include <signal.h>

#include "platform/platform.h"
#include "platform/posix_internal.h"

namespace {

const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
void (*STOP)() = nullptr;
struct sigaction OLD_ACTIONS[3];  // what the signals did before On_Interrupt

void On_Signal(int) {
  if (STOP) STOP();
}

}  // namespace

void On_Interrupt(void (*stop)()) {
  if (stop) {
    STOP = stop;
    struct sigaction act {};
    act.sa_handler = On_Signal;
    sigemptyset(&act.sa_mask);
    act.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(STOP_SIGNALS[i], &act, &OLD_ACTIONS[i]);
  } else {
    for (int i = 0; i < 3; ++i) sigaction(STOP_SIGNALS[i], &OLD_ACTIONS[i], nullptr);
    STOP = nullptr;
  }
}
