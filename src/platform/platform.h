// The platform layer: every operation that reaches outside the program.
// One header; the posix_<topic>.cpp or the windows_<topic>.cpp files implement
// it, one pair for each section below, with failure.cpp, which both share; the
// core's tests link a fake.
// Text is UTF-8 bytes on this side of the layer; each implementation converts
// at its own edge.
//
// How operations fail: an operation that can fail says so in its result
// (false, or a field of what it gives back) and puts the reason in its last
// argument, `std::string* err`, which may always be nullptr. The reason is a
// few plain Chinese words of what the system said, such as "没有权限",
// "磁盘已满" or "它所在的文件夹不存在": never a page's own words. The page or
// the companion that called puts its own words around it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// ---- Constants: posix_console.cpp, windows_console.cpp ----------------------

extern const char SEPARATOR;              // between a folder and a name when they are joined
extern const std::string TOOL_EXTENSION;  // required of the compiler and launcher; "" = any file
extern const bool HAS_SIGNALS;  // a program can be ended by a signal (POSIX), not only with a code

// ---- Console output: posix_console.cpp, windows_console.cpp -----------------

// Switches console input and output to UTF-8 where the console has code pages.
void Set_UTF8_Console();

// Remembers the console's input and output code pages, and puts back what
// was remembered. Nothing where consoles have no code pages.
void Save_Code_Pages();
void Restore_Code_Pages();

// Writes the bytes to standard output and shows them at once.
void Write_Out(const std::string& bytes);

// Writes text to standard error; on a console as whole characters.
void Write_Err(const std::string& text);

// Sets the console window's title to the text as it stands: `&` or `|` in a
// file name stay characters (cmd's "title a&b" would run b).
void Set_Title(const std::string& title);

// The console's width in columns; 80 when output is not a console.
int Console_Width();

// True when standard output is a console (a terminal), where a line can be
// written over in place; false for a file or a pipe.
bool Output_Is_Console();

// Ends the process at once with the status, saving nothing.
[[noreturn]] void Quit(int status);

// ---- Console input: posix_input.cpp, windows_input.cpp ----------------------

// Reads one line of standard input without its line end (LF, or CR LF).
// Returns false at end of input.
bool Read_Line(std::string& line);

// Throws away whatever was typed and not yet read. Nothing when standard
// input is not a console.
void Discard_Typed_Input();

// Writes `prompt`, waits for one key (one byte of input when standard input
// is not a console, and nothing read beyond it; returns at end of input), then
// writes a line feed. Says whether the key was Enter, the letter D (either
// case), another, or none.
enum Key { KEY_ENTER, KEY_D, KEY_OTHER, KEY_NONE };
Key Wait_Key(const std::string& prompt = "请按任意键继续. . .");

// ---- Time: posix_time.cpp, windows_time.cpp ---------------------------------

// Microseconds on a monotonic clock.
long long Clock_Us();

// Sleeps the calling thread for the given number of microseconds.
void Sleep_Us(long long us);

// ---- Text: posix_text.cpp, windows_text.cpp ---------------------------------

// GBK (code page 936) text as UTF-8; false when the bytes are not GBK.
bool Decode_GBK(const std::string& bytes, std::string& text);

// ---- Files: posix_files.cpp, windows_files.cpp ------------------------------
// A path holding a NUL byte names nothing: the system would read only the
// part before it.

enum Path_Kind { PATH_MISSING, PATH_FILE, PATH_DIRECTORY, PATH_OTHER };

// Status of a path, following symbolic links. A query that fails for any
// reason (access denied, a malformed name) answers PATH_MISSING.
Path_Kind Path_Status(const std::string& path);

// Reads a whole regular file of at most `limit` bytes in text mode (line ends
// arrive as LF). Nothing else is read, so a pipe or a device in the file's
// place can neither block nor flood the program. Returns false when it cannot
// be read; the reason is left empty when there is nothing at all at `path`,
// and is TOO_LARGE (in failure.cpp) when the file is over the limit.
bool Read_Text_File(const std::string& path, size_t limit, std::string& text,
                    std::string* err = nullptr);
extern const char TOO_LARGE[];

// Writes text (LF line ends; the platform's own line end on disk) to a new
// file beside `path`, unique to this process and created afresh, then puts it
// in place of `path` in one step, so that a failed or cut-off write leaves the
// old file whole and two programs saving at once never mix their bytes.
bool Replace_Text_File(const std::string& path, const std::string& text,
                       std::string* err = nullptr);

// Marks the file hidden, with no other attribute. Nothing where files have no
// hidden attribute.
bool Hide_File(const std::string& path, std::string* err = nullptr);

// Creates an empty file; never opens or truncates one that exists.
bool Create_Empty_File(const std::string& path, std::string* err = nullptr);

// The first `most` bytes of a file, exactly as they are on disk.
bool Read_Bytes(const std::string& path, size_t most, std::string& bytes,
                std::string* err = nullptr);

// Hands the file's bytes to `take` a chunk at a time, from the first to the
// last or until `take` answers false: a file of any size, in little memory.
bool Read_Chunks(const std::string& path, const std::function<bool(const char*, size_t)>& take,
                 std::string* err = nullptr);

// Copies a file to `to`, which must not exist yet, a chunk at a time. Like
// Write_New_File, `to` appears whole or not at all.
bool Copy_File(const std::string& from, const std::string& to, std::string* err = nullptr);

// Writes the bytes exactly as they are to a new file at `path`, which must
// not exist yet: never opens or truncates one that does. The bytes go to a
// file of this process beside it first, which takes the name once whole, so
// that a full disk or a cut-off write leaves nothing at `path` and nothing
// beside it.
bool Write_New_File(const std::string& path, const std::string& bytes, std::string* err = nullptr);

// Puts the file `from` in place of `to` in one step (on the same disk): one
// who runs or reads `to` meanwhile gets the old file or the new, whole.
bool Replace_File(const std::string& from, const std::string& to, std::string* err = nullptr);

// Removes a file; never a folder.
bool Remove_File(const std::string& path, std::string* err = nullptr);

// True when both paths lead to one and the same file, however each is named
// or linked; false when either cannot be looked at.
bool Same_File(const std::string& a, const std::string& b);

// A file's size and the time it was last written, in the system's own ticks
// (one clock for every file, so that times can be compared).
struct File_Stamp {
  long long size;
  long long written;
};
bool Stamp_File(const std::string& path, File_Stamp& stamp, std::string* err = nullptr);

// Marks the file as written now, leaving its bytes as they are.
bool Touch_File(const std::string& path, std::string* err = nullptr);

// Takes the lock that the file at `path` stands for (made when missing), and
// holds it until this process ends, however it ends. False when another
// process holds it (the reason is then BUSY in failure.cpp's words).
bool Take_Lock(const std::string& path, std::string* err = nullptr);

// ---- Folders: posix_folders.cpp, windows_folders.cpp ------------------------

// What a name in a folder leads to, links followed.
enum Entry_Kind {
  ENTRY_FILE,
  ENTRY_FOLDER,
  ENTRY_PIPE,    // a named pipe (FIFO)
  ENTRY_DEVICE,  // a device, such as a terminal
  ENTRY_SOCKET,
  ENTRY_BROKEN_LINK,  // a link that leads nowhere
};

struct Folder_Entry {
  std::string name;
  Entry_Kind kind;
  std::string target;  // for a link, the real path of what it leads to; "" otherwise
};

// Everything in a folder but "." and "..", in no order.
bool List_Folder(const std::string& folder, std::vector<Folder_Entry>& entries,
                 std::string* err = nullptr);

// The path with every link, "." and ".." resolved; "" when it leads nowhere.
std::string Real_Path(const std::string& path);

// Makes a new empty folder, private to the user, among the system's temporary
// files, named after this process so that a later launcher can tell it was
// left behind.
bool Make_Temp_Folder(std::string& path, std::string* err = nullptr);

// Removes a folder with everything in it, however deep, holding one folder
// open at a time; links inside are removed, never followed.
bool Remove_Tree(const std::string& path, std::string* err = nullptr);

// Removes everything inside a folder, however deep, as Remove_Tree does,
// and leaves the folder itself, empty.
bool Empty_Folder(const std::string& path, std::string* err = nullptr);

// Removes the folders Make_Temp_Folder made for launchers that no longer
// run (a launcher that was killed leaves its folder behind); the user's own
// only.
void Remove_Left_Folders();

// Creates the folder and each folder above it that is missing.
bool Make_Folders(const std::string& path, std::string* err = nullptr);

// Makes the folder when it is missing, private to this user, and says whether
// it is such a folder: not a link, this user's own, and closed to everyone
// else (one of ours that others may enter is closed). False, with the reason,
// when it is someone else's or cannot be made.
bool Make_Private_Folder(const std::string& path, std::string* err = nullptr);

// Gives the folder `from` the name `to`, on the same disk, in one step: no one
// ever sees it half moved. Fails, leaving both as they were, when a file or a
// folder with anything in it is already at `to`.
bool Move_Folder(const std::string& from, const std::string& to, std::string* err = nullptr);

// ---- Programs: posix_process.cpp, windows_process.cpp -----------------------

// The statuses a shell gives a command whose program could not be started.
const int NOT_RUNNABLE = 126;  // it is there, but cannot run
const int NOT_FOUND = 127;     // there is no such program

// How a program ended.
struct Program_End {
  bool started;    // false: it could not be started; `code` is NOT_FOUND or NOT_RUNNABLE
  bool signaled;   // POSIX: it was killed by signal number `code`
  long long code;  // its exit status (on Windows the whole 32-bit value, e.g. 0xC0000005)
};

// Runs argv[0] with the rest as its arguments, in this console with its input
// and output, without a shell, and waits for it. While it runs, Ctrl+C and
// its kin reach the program, not the caller. The reason goes to `err` when it
// cannot be started.
Program_End Run_Program(const std::vector<std::string>& argv, std::string* err = nullptr);

// For each folder, the program called `name` in it (`name`.exe on Windows)
// when there is an executable file of that name; in the order of the folders.
std::vector<std::string> Programs_In(const std::vector<std::string>& folders,
                                     const std::string& name);

// The name of signal `number`, such as "SIGSEGV"; "" for a number without one.
std::string Signal_Name(int number);

// Starts argv (argv[0] a path) on its own, at the lowest priority, with no
// console or terminal and nothing on its standard streams, and does not wait:
// neither our end nor a closed window ends it, and it holds nothing of ours open.
bool Start_Background(const std::vector<std::string>& argv, std::string* err = nullptr);

// ---- Relaying a program's output: posix_relay.cpp, windows_relay.cpp --------

// Runs argv[0] (a path) with the rest as its arguments, without a shell, and
// waits for it, as Run_Program does; what it writes to its standard output
// and error goes on to ours byte for byte, as it comes, and a copy of each
// (its first few megabytes) is kept in `out` and `errors`. Where our stream is
// a terminal, the program's is a terminal too, so it writes what it would
// have written without us (colours among it).
// With `passes`, standard error is held back until the program has ended,
// and goes on only if `passes` accepts all it wrote and how it ended (asked
// early, with an end not `started`, once it wrote more than is kept); if not,
// none of it is passed on, and `errors` still keeps it.
using Relay_Gate = std::function<bool(const std::string& errors, const Program_End& end)>;
Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& errors, std::string* err = nullptr,
                          const Relay_Gate& passes = nullptr);

// Runs argv[0] (a path) with the rest as its arguments, without a shell, and
// waits for it; what it writes to its standard output is kept in `out` (its
// first few megabytes), what it writes to its standard error goes nowhere.
// For tools whose answer is read, such as addr2line.
Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out,
                        std::string* err = nullptr);

// ---- Command interpreter: posix_command.cpp, windows_command.cpp ------------

// Runs one command string as the platform's command interpreter would and
// returns its exit status. A command holding a NUL byte is not run (status 1):
// the interpreter would see only the part before it. Windows has cmd; on
// POSIX the layer carries out the forms the pages issue itself: "cls",
// "pause", "title X", "notepad.exe \"P\"", "cmd /c\"…\"" and "start \"T\" P
// ARGS…"; anything else goes to /bin/sh.
int Command(const std::string& command);

// ---- Environment: posix_environment.cpp, windows_environment.cpp ------------

// The process's arguments as UTF-8, its own name first. On Windows they are
// read from the wide command line, since argv holds them in the ANSI code page.
std::vector<std::string> Program_Arguments(int argc, char** argv);

// The value of an environment variable; "" when it is not set.
std::string Environment_Variable(const std::string& name);

// Sets an environment variable for this process and the programs it starts.
bool Set_Environment_Variable(const std::string& name, const std::string& value,
                              std::string* err = nullptr);

// The folders of the PATH, in order.
std::vector<std::string> Path_Folders();

// Folders where compilers are commonly installed on this system, in the order
// they are tried; none on POSIX.
std::vector<std::string> Compiler_Folders();

// A path typed at a prompt, read as this system's shell reads it: on POSIX
// "~" and "~/…" are in the home folder ($HOME); otherwise, or with no home,
// the text as it is.
std::string Typed_Path(const std::string& text);

// Where this user's programs keep what they can make again: $XDG_CACHE_HOME,
// else ~/.cache, on POSIX; %LOCALAPPDATA% on Windows. "" when there is none.
std::string User_Cache_Folder();

// This program's own executable file, links resolved; "" when it cannot be told.
std::string Own_Path();

// ---- Crash watching: posix_debug.cpp, windows_debug.cpp ---------------------
// A watched program is stopped only when it crashes, and its stack is caught
// then; posix_unwind.cpp and windows_unwind.cpp walk it.

// One frame of a crashed program's stack.
struct Crash_Frame {
  int module;                  // its index in Crash_Stack::modules; -1 when its code lies in none
  unsigned long long address;  // as the module's file and debug information count it (the load
                               // base taken off); an outer frame's lies within its call
};

struct Crash_Stack {
  bool crashed = false;              // the program ended by a crash (a fault, abort, ...)
  bool caught = false;               // and its stack was caught at that moment
  std::string missing;               // why it could not be, in plain Chinese words
  std::vector<std::string> modules;  // the files of the frames' code, the program's first
  std::vector<Crash_Frame> frames;   // innermost first
  bool cut = false;       // the stack was deeper than was walked: the outermost are missing
  bool overflow = false;  // the program ran out of stack
  std::string through;    // the runtime function it was caught in when it ended through one
                          // without a fault (Windows: "abort", "_assert"); "" for none
};

// Runs the program as Run_Program does (started in `folder` unless it is "",
// argv[0] still named from here), watched: at no cost until it crashes, when `crash` gets
// its stack. A program the system does not let be watched runs as it would
// unwatched, and `crash` says why.
Program_End Run_Watched(const std::vector<std::string>& argv, const std::string& folder,
                        Crash_Stack& crash, std::string* err = nullptr);

// ---- Sample runs: posix_sample*.cpp, windows_sample*.cpp --------------------
// What the launcher needs to run a program on sample files.

// While held, Ctrl+C and requests to end the process wait: Run_Samples takes
// the ones that come meanwhile, the rest arrive on release. Held while a
// sample's folder exists, so that none is ever left behind. Nothing where
// there are no such signals.
void Hold_Interruptions(bool hold);

// Why the launcher ended a run. The rule that decides it is the launcher's
// (`Sample_Request::rule`); the platform only ends the run when told.
enum Sample_Stop {
  STOP_NONE,         // it ended by itself
  STOP_TIME,         // its CPU time passed the limit
  STOP_MEMORY,       // its memory passed the limit
  STOP_WAITING,      // past `wait_us` on the clock it was waiting, not computing
  STOP_TERMINAL,     // it stopped to read the terminal, which a sample run has not
  STOP_SLOW,         // past `wall_us` it still had not used its time: a busy machine
  STOP_OUTPUT,       // an output went past the cap (where files have no size limit)
  STOP_INTERRUPTED,  // Ctrl+C
  STOP_DEADLINE,     // the caller's time ran out (End_Runs_At)
};

// What the watch saw of a run's processes at one look.
struct Sample_Look {
  long long wall_us = 0;        // on the clock since it started
  long long cpu_us = 0;         // CPU time, user and system, of all its processes; where the
                                // system tells none (`cpu_known` false), the clock's
  long long bytes = 0;          // their memory now (Windows: the peak committed)
  bool cpu_known = true;        // the system tells other processes' CPU time
  bool memory_refused = false;  // the system refused them memory past the limit
  bool stopped = false;         // one stopped to read the terminal
  bool waiting = true;          // one of them is there and waits (where it cannot be told: true)
  bool running = false;         // one of them runs or is ready to (where it cannot be told: false)
  size_t output_bytes = 0;      // the largest of standard output and the files watched, where
                                // files have no size limit of their own (else 0)
};

// The clock and CPU time when the rule last looked over a span of the run:
// kept by the watch for each run, changed by the rule only.
struct Watch_Mark {
  long long wall_us = 0;
  long long cpu_us = 0;
};

struct Sample_Request;

// The rule the watch asks at every look whether the run is to be ended, and why.
using Sample_Rule = Sample_Stop (*)(const Sample_Request& request, const Sample_Look& look,
                                    Watch_Mark& mark);

// A program run on one sample, and its limits.
struct Sample_Request {
  std::vector<std::string> argv;         // argv[0] a path, relative to the caller's folder
  std::string folder;                    // where it runs: the only place it may write, where the
                                         // system allows that without privileges
  std::string input;                     // the file that is its standard input
  std::vector<std::string> outputs;      // output files whose size is watched (see `cap`)
  size_t cap;                            // standard output and every file it writes stop past
                                         // `cap` + 1 bytes
  long long time_us;                     // CPU time, user and system, of all its processes
  long long wait_us;                     // clock time after which a program that waits is ended
  long long wall_us;                     // clock time after which it is ended in any case
  long long memory_bytes;                // memory of all its processes together; on POSIX the
                                         // stack may grow as large
  Sample_Rule rule = nullptr;            // asked at every look; none: it runs to its end
  Crash_Stack* crash = nullptr;          // with one, the program is watched as Run_Watched
                                         // watches it
  std::vector<std::string> environment;  // "NAME=value": set for the program on top of ours
};

// How a program run on one sample ended, and what it used.
struct Sample_Run {
  Program_End end{false, false, 0};  // how it ended; not started: `end.code` is the
                                     // system's error number
  Sample_Stop stop = STOP_NONE;      // why it was ended, if the launcher ended it
  long long cpu_us = 0;              // CPU time, user and system, of all its processes
  long long wall_us = 0;             // time on the clock
  long long peak_bytes = 0;          // the most memory its processes held at once (POSIX:
                                     // resident; Windows: committed)
  bool memory_refused = false;       // the system refused it memory past the limit
  std::string output;                // what it wrote to standard output: at most `cap` + 1 bytes
  std::string errors;                // the last bytes (a few kilobytes) it wrote to standard error
};

// Runs the program of each request in its folder, all at once, with its
// `input` as standard input and standard output and error captured, and
// gives how each ended in `runs`, in the same order. Each run's CPU time,
// memory and clock are looked at on their own, and its rule asked; when the
// rule ends it, on Ctrl+C (all of them), and after it ends, every process it started is ended too,
// however it detached itself, and none outlives the caller. From the first call on, Ctrl+C between
// two calls no longer ends the caller: the next call reports its runs as interrupted at once.
// False, with the reason in `err`, when the runs could not be prepared.
bool Run_Samples(const std::vector<Sample_Request>& requests, std::vector<Sample_Run>& runs,
                 std::string* err = nullptr);

// From `clock_us` on the clock (Clock_Us) every run still going is ended,
// as STOP_DEADLINE; 0, as at first: no such time.
void End_Runs_At(long long clock_us);

// The status (NOT_FOUND or NOT_RUNNABLE) and the reason of a sample run whose
// program could not be started, from the system's number in its `end.code`:
// what Run_Program gives at once. In failure.cpp.
int Start_Failure(long long code, std::string* err = nullptr);

// ---- Serving on loopback: serve.cpp, posix_serve.cpp, windows_serve.cpp -----
// A small HTTP server for tools on this machine, such as a browser extension
// that sends a problem. serve.cpp, the same on both systems, has the server;
// the two others hand it Ctrl+C.

// One request, as far as the receiver needs it.
struct Http_Request {
  std::string method;  // "POST", "GET", …; "" when the request could not be read
  std::string host;    // its Host header: the name it was sent to
  std::string origin;  // its Origin header: the page or extension that sent it; "" for none
  std::string body;    // for a POST within the limit
  bool too_large;      // a body over the limit, which was not read
};

struct Http_Answer {
  int status;        // 200, 400, 403, 405, 413, …
  std::string body;  // plain text
};

// Serves HTTP on 127.0.0.1 at `port` (never on another address) until Ctrl+C
// or a request to end the process, which then stop the server instead of
// ending the process, once the request at hand is answered. Requests are
// answered one at a time, in the order they came; a body is read only up to
// `most` bytes. `ready` is called once the port is ours. False, with the
// reason, when the port cannot be had.
bool Serve_Loopback(int port, size_t most, const std::function<void()>& ready,
                    const std::function<Http_Answer(const Http_Request&)>& answer,
                    std::string* err = nullptr);

// From now on, Ctrl+C and the requests to end the process (POSIX: SIGINT,
// SIGTERM, SIGHUP; Windows: the console's Ctrl+C, Ctrl+Break and close)
// call `stop` instead, once for each; nullptr puts back what they did before.
// On POSIX `stop` runs in a signal handler, on Windows in a thread of its
// own: it may only set a flag.
void On_Interrupt(void (*stop)());
