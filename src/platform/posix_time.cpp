// Time on POSIX: the monotonic clock, and sleeps that a signal cannot cut short.
#include <time.h>

#include <cerrno>

#include "platform/platform.h"

long long Clock_Us() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

void Sleep_Us(long long us) {
  if (us <= 0) return;
  // An absolute deadline makes a sleep cut short by a signal resume for just
  // the time that is left.
  struct timespec due;
  clock_gettime(CLOCK_MONOTONIC, &due);
  long long ns = due.tv_nsec + (us % 1000000) * 1000;
  due.tv_sec += us / 1000000 + ns / 1000000000;
  due.tv_nsec = ns % 1000000000;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
  }
}
