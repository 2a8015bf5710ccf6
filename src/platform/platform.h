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
// writes a line feed. Says whether the key was Enter, another, or none.
enum Key { KEY_ENTER, KEY_OTHER, KEY_NONE };
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

// Copies a file to `to`, which must not exist yet.
bool Copy_File(const std::string& from, const std::string& to, std::string* err = nullptr);

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

// The names of the regular files (links followed) in a folder, in no order.
bool List_Files(const std::string& folder, std::vector<std::string>& names,
                std::string* err = nullptr);

// Makes a new empty folder, private to the user, among the system's temporary files.
bool Make_Temp_Folder(std::string& path, std::string* err = nullptr);

// Removes a folder with everything in it; links inside are removed, never followed.
bool Remove_Tree(const std::string& path, std::string* err = nullptr);

// Creates the folder and each folder above it that is missing.
bool Make_Folders(const std::string& path, std::string* err = nullptr);

// The names of the folders in a folder (links followed), in no order.
bool List_Folders(const std::string& folder, std::vector<std::string>& names,
                  std::string* err = nullptr);

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
Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& errors, std::string* err = nullptr);

// As Relay_Program, but standard error is held back until its first line is
// whole (or the program ends), and goes on only if `passes` accepts that
// line; if not, none of it is passed on, and `errors` still keeps it.
Program_End Relay_Program_Gated(const std::vector<std::string>& argv, std::string& out,
                                std::string& errors,
                                const std::function<bool(const std::string&)>& passes,
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

// Where this user's programs keep what they can make again: $XDG_CACHE_HOME,
// else ~/.cache, on POSIX; %LOCALAPPDATA% on Windows. "" when there is none.
std::string User_Cache_Folder();

// This program's own executable file, links resolved; "" when it cannot be told.
std::string Own_Path();

// ---- Sample runs: posix_sample.cpp, windows_sample.cpp ----------------------
// What the launcher needs to run a program on sample files.

// While held, Ctrl+C and requests to end the process wait: Run_Sample takes
// the ones that come meanwhile, the rest arrive on release. Held while a
// sample's folder exists, so that none is ever left behind. Nothing where
// there are no such signals.
void Hold_Interruptions(bool hold);

// How a program run on one sample ended.
struct Sample_Run {
  std::string error;   // not empty: the run could not be prepared, and why
  Program_End end;     // how it ended; not started: `end.code` is the system's error number
  bool timed_out;      // it ran past the time limit, and was ended
  bool interrupted;    // Ctrl+C came while it ran, and it was ended
  long long us;        // how long it ran
  std::string output;  // what it wrote to standard output: at most `cap` + 1 bytes
};

// Runs argv (argv[0] a path, relative to the caller's folder) in `folder`,
// with the file `input` as standard input, standard output captured and
// standard error thrown away. Every file it writes (`outputs` are the ones
// that matter) stops growing past `cap` + 1 bytes. After `limit_us`, on
// Ctrl+C, and after it ends, every process it started is ended too. From the
// first call on, Ctrl+C between two calls no longer ends the caller: the next
// call reports it as interrupted at once.
Sample_Run Run_Sample(const std::vector<std::string>& argv, const std::string& folder,
                      const std::string& input, const std::vector<std::string>& outputs, size_t cap,
                      long long limit_us);

// The status (NOT_FOUND or NOT_RUNNABLE) and the reason of a sample run whose
// program could not be started, from the system's number in its `end.code`:
// what Run_Program gives at once. In failure.cpp.
int Start_Failure(long long code, std::string* err = nullptr);
