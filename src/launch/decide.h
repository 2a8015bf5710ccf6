// The verdict's one home, for the samples, the program in 对拍 and its
// helpers alike: the rule the platform asks while a program runs (whether
// to end it, and why), and the verdict of what the run measured. Nothing
// here writes text: verdict.cpp says a verdict once it is decided.
#pragma once

#include <string>

#include "launch/limits.h"
#include "platform/platform.h"

// Output kept for comparison, 64 MB; more counts as a wrong answer.
extern const size_t OUTPUT_CAP;

enum Verdict {
  VERDICT_AC,
  VERDICT_WA,
  VERDICT_RE,
  VERDICT_TLE,           // past the time limit, or ended waiting (see run.stop)
  VERDICT_MLE,           // past the memory limit
  VERDICT_UNTESTED,      // the run could not be prepared
  VERDICT_INTERRUPTED,   // Ctrl+C came while it ran
  VERDICT_NOT_STARTED,   // the program cannot be started at all
  VERDICT_PARTIAL,       // the checker gave part of the points
  VERDICT_JUDGE_FAILED,  // the checker failed: the program has no verdict
};

// The problem's limits in a request, and the rule that holds the run to them.
void Limit_Run(const Problem_Limits& limits, Sample_Request& request);

// The rule of Limit_Run: whether what the watch saw ends the run, and why.
// A program waits when none of its processes is ready to run and, over the
// last quarter second, they used less than a tenth of the clock's time.
Sample_Stop Watch_Rule(const Sample_Request& request, const Sample_Look& look, Watch_Mark& mark);

// What decided a run's verdict, beside the verdict itself.
struct Run_Verdict {
  Verdict verdict = VERDICT_AC;  // AC: it ended well within its limits, whatever it wrote
  Sample_Stop stop = STOP_NONE;  // why it was ended: the run's, or STOP_MEMORY when the
                                 // system refused it memory and it ended for want of it
  bool cut = false;              // WA: its output went past OUTPUT_CAP
  bool aborted = false;          // RE: it ended through abort without a signal (Windows)
  bool presentation = false;     // WA: the checker said the format is wrong (testlib's PE)
  Verdict helper = VERDICT_AC;   // JUDGE_FAILED: the checker's own run (AC: it said it failed)
};

// The verdict of a run alone, before any answer, from what was measured:
// how it ended, what it used, how much it wrote (`output_bytes`) and
// whether it crashed (`crash`).
Run_Verdict Verdict_Of(const Sample_Run& run, const Problem_Limits& limits, size_t output_bytes,
                       const Crash_Stack& crash);

// The checker's limits: its own, generous, whatever the problem's.
extern const Problem_Limits CHECKER_LIMITS;

// The verdict a checker's run gives the program's output, as testlib's
// exit codes say it: 0 AC, 1 WA, 2 a wrong format (WA), 3 the checker's
// own failure, 7 partial points; any other code a plain checker's WA. A
// checker that could not run, crashed or went past its limits failed.
Run_Verdict Checked_Verdict(const Sample_Run& run, const Crash_Stack& crash);
