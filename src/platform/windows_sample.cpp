// Running programs on samples, on Windows, one or several at once: each in a
// Job Object, so that a program and everything it starts are measured
// together, held to the memory limit together, and ended together, whatever
// ends the launcher. Where the system allows it, each runs at low integrity
// and may write in its own folder only; one whose crash is to be located
// runs as a debuggee of this thread. The runs are cut in four: prepare,
// start, watch, collect.
#include <algorithm>

#include "platform/windows_internal.h"

namespace {

const DWORD LOOK_MS = 10;         // how often the job's time and memory are looked at
const size_t ERRORS_KEPT = 4096;  // bytes of the end of standard error kept

HANDLE STOP = nullptr;   // set by Ctrl+C or Ctrl+Break, kept for the next run when none runs
long long DEADLINE = 0;  // End_Runs_At's

BOOL WINAPI On_Stop(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  SetEvent(STOP);
  return TRUE;
}

// The handles of one run.
struct Run_Handles {
  Handle in, out, errors;  // the program's standard streams
  Handle job, port;        // its job, and the port the job tells of a limit through
  Handle token;            // low integrity, when the system allows one
  Handle process, thread;
};

// One run among those started together.
struct Run_Job {
  const Sample_Request* request = nullptr;
  Sample_Run* run = nullptr;
  Run_Handles h;
  Watch_Mark mark;
  bool ended = false;    // its program has ended, or never started
  bool watched = false;  // it runs as a debuggee
  Debuggee debuggee;
};

HANDLE Open_Inherited(const std::wstring& path, DWORD access, DWORD creation, DWORD flags) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, creation, flags, nullptr);
}

// A file beside the folder, deleted once closed: nothing the program does in
// its folder can meet it.
HANDLE Capture_File(const std::string& folder, const char* suffix) {
  return Open_Inherited(Widen(folder + suffix), GENERIC_READ | GENERIC_WRITE, CREATE_NEW,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
}

// A job whose processes all end when it is closed, whatever ends the
// launcher; in which a crash ends the program at once rather than waiting in
// an error dialog; whose processes together may commit `memory` bytes; and
// which tells `port` when they try for more. Without a port (a system that
// has none for jobs) the peak is still watched.
bool Make_Job(Run_Handles& h, long long memory, std::string* err) {
  h.job.h = CreateJobObjectW(nullptr, nullptr);
  if (!h.job.Valid()) return Fail_Last(err);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                            JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION |
                                            JOB_OBJECT_LIMIT_JOB_MEMORY;
  limits.JobMemoryLimit = static_cast<SIZE_T>(memory);
  if (!SetInformationJobObject(h.job.h, JobObjectExtendedLimitInformation, &limits, sizeof limits))
    return Fail_Last(err);
  h.port.h = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT link = {h.job.h, h.port.h};
  if (h.port.Valid() &&
      !SetInformationJobObject(h.job.h, JobObjectAssociateCompletionPortInformation, &link,
                               sizeof link))
    h.port.Close();
  return true;
}

bool Prepare(const Sample_Request& request, Run_Handles& h, std::string* err) {
  h.in.h = Open_Inherited(Widen(request.input), GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (!h.in.Valid()) return Fail_Last(err);
  h.out.h = Capture_File(request.folder, ".stdout");
  if (!h.out.Valid()) return Fail_Last(err);
  h.errors.h = Capture_File(request.folder, ".stderr");
  if (!h.errors.Valid()) return Fail_Last(err);
  if (!Make_Job(h, request.memory_bytes, err)) return false;
  if (STOP == nullptr && (STOP = CreateEventW(nullptr, TRUE, FALSE, nullptr)) == nullptr)
    return Fail_Last(err);
  SetConsoleCtrlHandler(On_Stop, TRUE);  // for good: Ctrl+C between runs stops the next one
  h.token.h = Low_Token(request.folder);
  return true;
}

// Creates the process suspended, so that it is in the job before it can
// start anything; at low integrity when there is a token for it, else as
// this process. No console of its own to show: it reads and writes files
// only. As a debuggee when `watched`, which is false after where the system
// refuses one. False when it cannot be started, with the system's error in `code`.
bool Create(const Sample_Request& request, Run_Handles& h, bool& watched, DWORD& code) {
  std::wstring app = Full_Path(request.argv[0]);  // it starts in `folder`, not here
  std::wstring line = Quote_Argument(app), folder = Widen(request.folder);
  for (size_t i = 1; i < request.argv.size(); ++i)
    line += L" " + Quote_Argument(Widen(request.argv[i]));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = h.in.h;
  startup.hStdOutput = h.out.h;
  startup.hStdError = h.errors.h;
  PROCESS_INFORMATION process = {};
  DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT;
  std::wstring environment = Environment_Block(request.environment);
  void* block = environment.empty() ? nullptr : &environment[0];
  auto create = [&](DWORD as) {
    return (h.token.Valid() &&
            CreateProcessAsUserW(h.token.h, app.c_str(), &line[0], nullptr, nullptr, TRUE, as,
                                 block, folder.c_str(), &startup, &process)) ||
           // a system that gives no low-integrity process runs it as before
           CreateProcessW(app.c_str(), &line[0], nullptr, nullptr, TRUE, as, block, folder.c_str(),
                          &startup, &process);
  };
  bool made = watched && create(flags | DEBUG_ONLY_THIS_PROCESS);
  if (!made) {
    watched = false;  // refused as a debuggee, perhaps: then it runs as before
    made = create(flags);
  }
  if (!made) {
    code = GetLastError();
    return false;
  }
  h.process.h = process.hProcess;
  h.thread.h = process.hThread;
  if (watched) DebugSetProcessKillOnExit(FALSE);  // ended with the job, not with this thread
  return true;
}

// Starts the program; false, with the reason, when it could not be put in
// its job. A program that cannot be started at all is `run.end`'s business.
bool Start(Run_Job& job, std::string* err) {
  const Sample_Request& request = *job.request;
  Run_Handles& h = job.h;
  Sample_Run& run = *job.run;
  DWORD code = 0;
  job.watched = request.crash != nullptr;
  bool made = Create(request, h, job.watched, code);
  if (request.crash != nullptr && !job.watched) request.crash->missing = "系统不允许启动器跟踪程序";
  if (!made) {
    run.end = {false, false, static_cast<long long>(code)};
    return true;
  }
  if (job.watched) {
    job.debuggee.id = GetProcessId(h.process.h);
    job.debuggee.process = h.process.h;
  }
  if (!AssignProcessToJobObject(h.job.h, h.process.h)) {
    code = GetLastError();
    Let_Go(job.debuggee, {&job.debuggee});
    TerminateProcess(h.process.h, 1);
    return Fail_Code(err, code);
  }
  if (WaitForSingleObject(STOP, 0) == WAIT_OBJECT_0) {
    run.stop = STOP_INTERRUPTED;
    return true;
  }
  ResumeThread(h.thread.h);
  return true;
}

// What the job uses now, and whether its rule ends the run. Which of its
// processes wait cannot be told: only its CPU time, which grows in whole
// ticks. Files have no size limit here, so their sizes are looked at.
Sample_Stop Look(Run_Job& job, long long wall) {
  const Sample_Request& request = *job.request;
  Sample_Run& run = *job.run;
  Job_Usage usage = Usage_Of(job.h.job.h, job.h.process.h);
  Sample_Look look;
  look.cpu_known = Times_Known();
  if (!look.cpu_known) usage.cpu_us = wall;
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.peak_bytes);
  run.memory_refused = Memory_Limit_Hit(job.h.port.h) || run.memory_refused;
  look.wall_us = wall;
  look.cpu_us = usage.cpu_us;
  look.bytes = usage.peak_bytes;
  look.memory_refused = run.memory_refused;
  look.output_bytes = Largest_Output(job.h.out.h, request.outputs);
  return request.rule ? request.rule(request, look, job.mark) : STOP_NONE;
}

// Ends whatever of the job still runs, also after a normal end, and takes
// what it used and how the program ended.
void Collect(Run_Handles& h, Sample_Run& run) {
  End_Job(h.job.h);
  run.memory_refused = Memory_Limit_Hit(h.port.h) || run.memory_refused;
  Job_Usage usage = Usage_Of(h.job.h, h.process.h);
  if (!Times_Known()) usage.cpu_us = run.wall_us;
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.peak_bytes);
  run.end = End_Of(h.process.h);
}

// Waits at most LOOK_MS for one of `waits`, and while a debuggee runs for
// its debug events first: its end is signalled only once it is answered
// here. Whether an event was served goes to `served`.
DWORD Wait_For(const std::vector<HANDLE>& waits, const std::vector<Debuggee*>& debuggees,
               bool& served) {
  long long before = Clock_Us();
  served = !debuggees.empty() && Serve_Debug_Event(debuggees, LOOK_MS);
  // A system that gives no events at all is waited for as without debuggees.
  bool waited = served || (!debuggees.empty() && Clock_Us() - before >= LOOK_MS * 500);
  return WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                waited ? 0 : LOOK_MS);
}

// Waits, looking at the jobs every LOOK_MS, until every program has ended;
// a run past a limit, or all of them on Ctrl+C, are ended meanwhile.
void Watch(std::vector<Run_Job>& jobs, long long start) {
  long long looked = 0;
  for (;;) {
    std::vector<HANDLE> waits = {STOP};
    std::vector<Run_Job*> running;
    std::vector<Debuggee*> debuggees;  // of the running, those whose end is not yet heard
    for (Run_Job& job : jobs) {
      if (job.ended) continue;
      waits.push_back(job.h.process.h);
      running.push_back(&job);
      if (job.watched && !job.debuggee.exited) debuggees.push_back(&job.debuggee);
    }
    if (running.empty()) return;
    bool served = false;
    DWORD woke = Wait_For(waits, debuggees, served);
    long long wall = Clock_Us() - start;
    if (woke == WAIT_FAILED) return;
    if (woke > WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + waits.size()) {
      running[woke - WAIT_OBJECT_0 - 1]->ended = true;
      running[woke - WAIT_OBJECT_0 - 1]->run->wall_us = wall;
      continue;
    }
    // A program busy with debug events is still looked at only every LOOK_MS.
    if (served && woke == WAIT_TIMEOUT && wall - looked < LOOK_MS * 1000) continue;
    looked = wall;
    for (Run_Job* job : running) {
      Sample_Stop stop = woke == WAIT_OBJECT_0                      ? STOP_INTERRUPTED
                         : DEADLINE > 0 && start + wall >= DEADLINE ? STOP_DEADLINE
                                                                    : Look(*job, wall);
      if (stop == STOP_NONE) continue;
      job->run->stop = stop;
      job->run->wall_us = wall;
      job->ended = true;
      Let_Go(job->debuggee, debuggees);
      // Now, not at Collect: it would go on using a core and its memory
      // while the other runs finish.
      TerminateJobObject(job->h.job.h, 1);
    }
  }
}

}  // namespace

void End_Runs_At(long long clock_us) {
  DEADLINE = clock_us;
}

// Ctrl+C reaches the launcher's handler, and a closed console ends the job
// with the launcher: there is nothing to hold.
void Hold_Interruptions(bool) {}

bool Run_Samples(const std::vector<Sample_Request>& requests, std::vector<Sample_Run>& runs,
                 std::string* err) {
  runs.assign(requests.size(), Sample_Run{});
  std::vector<Run_Job> jobs(requests.size());
  for (size_t i = 0; i < requests.size(); ++i) {
    jobs[i].request = &requests[i];
    jobs[i].run = &runs[i];
    runs[i].end = {false, false, ERROR_FILE_NOT_FOUND};
    if (requests[i].crash != nullptr) Prepare_Debuggee(jobs[i].debuggee, *requests[i].crash);
    jobs[i].ended = requests[i].argv.empty();
    if (!jobs[i].ended && !Prepare(requests[i], jobs[i].h, err)) return false;
  }
  long long start = Clock_Us();
  bool started = true;
  for (Run_Job& job : jobs) {
    started = started && (job.ended || Start(job, err));
    job.ended = job.ended || !started || !job.h.process.Valid() || job.run->stop != STOP_NONE;
  }
  if (started) Watch(jobs, start);
  std::vector<Debuggee*> debuggees;
  for (Run_Job& job : jobs)
    if (job.watched) debuggees.push_back(&job.debuggee);
  for (Run_Job& job : jobs) {
    Let_Go(job.debuggee, debuggees);  // one never resumed, or left when a start failed
    if (job.h.process.Valid()) Collect(job.h, *job.run);
    if (job.request->crash != nullptr) Finish_Debuggee(job.debuggee, job.run->end);
    if (job.run->stop == STOP_INTERRUPTED) ResetEvent(STOP);
    if (!job.h.out.Valid()) continue;
    job.run->output = Read_From(job.h.out.h, 0, job.request->cap + 1);
    job.run->errors = Read_Tail(job.h.errors.h, ERRORS_KEPT);
  }
  return started;
}
