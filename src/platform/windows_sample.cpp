// Running a program on one sample, on Windows: in a Job Object, so that the
// program and everything it starts are measured together, held to the memory
// limit together, and ended together, whatever ends the launcher. Where the
// system allows it, it runs at low integrity and may write in its own folder
// only. The run is cut in four: prepare, start, watch, collect.
#include <algorithm>

#include "platform/windows_internal.h"

namespace {

const DWORD LOOK_MS = 10;               // how often the job's time and memory are looked at
const size_t ERRORS_KEPT = 4096;        // bytes of the end of standard error kept
const long long IDLE_MARK_US = 250000;  // the span over which a waiting program is told

HANDLE STOP = nullptr;  // set by Ctrl+C or Ctrl+Break, kept for the next run when none runs

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
// only. False when it cannot be started, with the system's error in `code`.
bool Create(const Sample_Request& request, Run_Handles& h, DWORD& code) {
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
  DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
  BOOL made = h.token.Valid() &&
              CreateProcessAsUserW(h.token.h, app.c_str(), &line[0], nullptr, nullptr, TRUE, flags,
                                   nullptr, folder.c_str(), &startup, &process);
  if (!made)  // a system that gives no low-integrity process runs it as before
    made = CreateProcessW(app.c_str(), &line[0], nullptr, nullptr, TRUE, flags, nullptr,
                          folder.c_str(), &startup, &process);
  if (!made) {
    code = GetLastError();
    return false;
  }
  h.process.h = process.hProcess;
  h.thread.h = process.hThread;
  return true;
}

// Starts the program; false, with the reason, when it could not be put in
// its job. A program that cannot be started at all is `run.end`'s business.
bool Start(const Sample_Request& request, Run_Handles& h, Sample_Run& run, std::string* err) {
  DWORD code = 0;
  if (!Create(request, h, code)) {
    run.end = {false, false, static_cast<long long>(code)};
    return true;
  }
  if (!AssignProcessToJobObject(h.job.h, h.process.h)) {
    code = GetLastError();
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

// The clock and CPU time when the program was last seen computing or not.
struct Idle_Mark {
  long long wall;  // since the start
  long long cpu;
};

// What the job uses now, and whether that ends the run. A job's CPU time
// grows in whole ticks, so whether it waits is told over IDLE_MARK_US.
Sample_Stop Look(const Sample_Request& request, const Run_Handles& h, long long wall,
                 Idle_Mark& mark, Sample_Run& run) {
  Job_Usage usage = Usage_Of(h.job.h, h.process.h);
  if (!Times_Known()) usage.cpu_us = wall;
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.peak_bytes);
  if (usage.cpu_us > request.time_us) return STOP_TIME;
  if (Memory_Limit_Hit(h.port.h) || usage.peak_bytes > request.memory_bytes) return STOP_MEMORY;
  if (Past_Cap(h.out.h, request.outputs, request.cap)) return STOP_OUTPUT;
  if (wall - mark.wall < IDLE_MARK_US || !Times_Known()) return STOP_NONE;
  bool busy = (usage.cpu_us - mark.cpu) * 10 > wall - mark.wall;
  mark = {wall, usage.cpu_us};
  if (wall > request.wait_us && !busy) return STOP_WAITING;
  if (wall > request.wall_us) return STOP_SLOW;
  return STOP_NONE;
}

// Waits, looking at the job every LOOK_MS, until the program has ended, a
// limit is passed or Ctrl+C asks to stop.
Sample_Stop Watch(const Sample_Request& request, const Run_Handles& h, long long start,
                  Sample_Run& run) {
  HANDLE waits[] = {h.process.h, STOP};
  Idle_Mark mark{0, 0};
  for (;;) {
    DWORD woke = WaitForMultipleObjects(2, waits, FALSE, LOOK_MS);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return STOP_NONE;
    if (woke == WAIT_OBJECT_0 + 1) return STOP_INTERRUPTED;
    Sample_Stop stop = Look(request, h, Clock_Us() - start, mark, run);
    if (stop != STOP_NONE) return stop;
  }
}

// Ends whatever of the job still runs, also after a normal end, and takes
// what it used and how the program ended. A program that ended after the
// job refused it memory ended for want of it.
void Collect(Run_Handles& h, Sample_Run& run) {
  End_Job(h.job.h);
  if (run.stop == STOP_NONE && Memory_Limit_Hit(h.port.h)) run.stop = STOP_MEMORY;
  Job_Usage usage = Usage_Of(h.job.h, h.process.h);
  if (!Times_Known()) usage.cpu_us = run.wall_us;
  run.cpu_us = std::max(run.cpu_us, usage.cpu_us);
  run.peak_bytes = std::max(run.peak_bytes, usage.peak_bytes);
  run.end = End_Of(h.process.h);
}

}  // namespace

// Ctrl+C reaches the launcher's handler, and a closed console ends the job
// with the launcher: there is nothing to hold.
void Hold_Interruptions(bool) {}

bool Run_Sample(const Sample_Request& request, Sample_Run& run, std::string* err) {
  run = Sample_Run{};
  run.end = {false, false, ERROR_FILE_NOT_FOUND};
  if (request.argv.empty()) return true;
  Run_Handles h;
  if (!Prepare(request, h, err)) return false;
  long long start = Clock_Us();
  if (!Start(request, h, run, err)) return false;
  if (h.process.Valid()) {
    if (run.stop == STOP_NONE) run.stop = Watch(request, h, start, run);
    run.wall_us = Clock_Us() - start;
    Collect(h, run);
  }
  if (run.stop == STOP_INTERRUPTED) ResetEvent(STOP);
  run.output = Read_From(h.out.h, 0, request.cap + 1);
  run.errors = Read_Tail(h.errors.h, ERRORS_KEPT);
  return true;
}
