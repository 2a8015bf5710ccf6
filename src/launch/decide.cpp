#include "launch/decide.h"

const size_t OUTPUT_CAP = 64u << 20;
const Problem_Limits CHECKER_LIMITS = [] {
  Problem_Limits limits;
  limits.time_us = 10000000;
  limits.memory_bytes = 1024ll << 20;
  return limits;
}();

namespace {

const long long IDLE_MARK_US = 250000;    // the span over which a waiting program is told
const long long WAIT_MARGIN_US = 250000;  // past its time on the clock, a waiting program is ended

// The verdict a stop gives by itself: every reason is here, so that a new
// one is not forgotten (the switch has no default).
Verdict Stopped_Verdict(Sample_Stop stop) {
  switch (stop) {
    case STOP_NONE:
      return VERDICT_AC;
    case STOP_TIME:
    case STOP_WAITING:
    case STOP_TERMINAL:
    case STOP_SLOW:
      return VERDICT_TLE;
    case STOP_MEMORY:
      return VERDICT_MLE;
    case STOP_OUTPUT:
      return VERDICT_WA;
    case STOP_INTERRUPTED:
    case STOP_DEADLINE:  // no verdict: the caller's time ran out, not the program's
      return VERDICT_INTERRUPTED;
  }
  return VERDICT_AC;
}

// testlib's exit codes; any other that is not 0 is a plain checker's no.
const long long CHECK_PE = 2, CHECK_FAIL = 3, CHECK_POINTS = 7;

}  // namespace

void Limit_Run(const Problem_Limits& limits, Sample_Request& request) {
  request.cap = OUTPUT_CAP;
  request.time_us = limits.time_us;
  // A program that waits is ended once it has waited about its time, as a
  // judge's limit on the clock ends it; one that computes on a machine too
  // busy to give it its time, after ten times its time and ten seconds more.
  request.wait_us = limits.time_us + WAIT_MARGIN_US;
  request.wall_us = 10 * limits.time_us + 10000000;
  request.memory_bytes = limits.memory_bytes;
  request.rule = Watch_Rule;
}

Sample_Stop Watch_Rule(const Sample_Request& request, const Sample_Look& look, Watch_Mark& mark) {
  if (look.cpu_us > request.time_us) return STOP_TIME;
  if (look.memory_refused || look.bytes > request.memory_bytes) return STOP_MEMORY;
  if (look.output_bytes > request.cap) return STOP_OUTPUT;
  if (look.stopped) return STOP_TERMINAL;
  // Where CPU time is not told, the clock stands in for it: nobody waits.
  if (!look.cpu_known || look.wall_us - mark.wall_us < IDLE_MARK_US) return STOP_NONE;
  bool waits = look.waiting && !look.running &&
               (look.cpu_us - mark.cpu_us) * 10 < look.wall_us - mark.wall_us;
  mark = {look.wall_us, look.cpu_us};
  if (look.wall_us > request.wait_us && waits) return STOP_WAITING;
  if (look.wall_us > request.wall_us) return STOP_SLOW;
  return STOP_NONE;
}

Run_Verdict Verdict_Of(const Sample_Run& run, const Problem_Limits& limits, size_t output_bytes,
                       const Crash_Stack& crash) {
  Run_Verdict v;
  v.stop = run.stop == STOP_NONE && run.memory_refused ? STOP_MEMORY : run.stop;
  Verdict stopped = Stopped_Verdict(v.stop);
  if (stopped == VERDICT_INTERRUPTED) {
    v.verdict = VERDICT_INTERRUPTED;
  } else if (!run.end.started) {
    v.verdict = VERDICT_NOT_STARTED;
  } else if (stopped == VERDICT_TLE || run.cpu_us > limits.time_us) {
    v.verdict = VERDICT_TLE;
  } else if (stopped == VERDICT_MLE || run.peak_bytes > limits.memory_bytes) {
    v.verdict = VERDICT_MLE;
  } else if (stopped == VERDICT_WA || output_bytes > OUTPUT_CAP) {
    v.verdict = VERDICT_WA;
    v.cut = true;
  } else if (run.end.signaled || run.end.code != 0) {
    v.verdict = VERDICT_RE;
    v.aborted = !run.end.signaled && crash.crashed && !crash.through.empty();
  }
  return v;
}

Run_Verdict Checked_Verdict(const Sample_Run& run, const Crash_Stack& crash) {
  Run_Verdict own = Verdict_Of(run, CHECKER_LIMITS, run.output.size(), crash);
  Run_Verdict v;
  v.stop = own.stop;
  bool said = own.verdict == VERDICT_AC || (own.verdict == VERDICT_RE && !run.end.signaled);
  if (own.verdict == VERDICT_INTERRUPTED) {
    v.verdict = VERDICT_INTERRUPTED;
  } else if (!said || run.end.code == CHECK_FAIL) {
    v.verdict = VERDICT_JUDGE_FAILED;
    v.helper = said ? VERDICT_AC : own.verdict;
    v.aborted = own.aborted;
  } else if (run.end.code == CHECK_POINTS) {
    v.verdict = VERDICT_PARTIAL;
  } else if (run.end.code != 0) {
    v.verdict = VERDICT_WA;
    v.presentation = run.end.code == CHECK_PE;
  }
  return v;
}
