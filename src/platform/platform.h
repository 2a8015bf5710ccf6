// The platform layer: every operation that reaches outside the program.
// One header; posix.cpp or windows.cpp implements it, and the tests link a fake.
// Text is UTF-8 bytes on this side of the layer; each implementation converts
// at its own edge.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// ---- Platform constants ----------------------------------------------------

extern const char SEPARATOR;              // between a folder and a name when they are joined
extern const std::string TOOL_EXTENSION;  // required of the compiler and launcher; "" = any file

// ---- Console ---------------------------------------------------------------

// Switches console input and output to UTF-8 where the console has code pages.
void Set_UTF8_Console();

// Writes the bytes to standard output and shows them at once.
void Write_Out(const std::string& bytes);

// Reads one line of standard input without its line end (LF, or CR LF).
// Returns false at end of input.
bool Read_Line(std::string& line);

// Ends the process at once with the status, saving nothing.
[[noreturn]] void Quit(int status);

// ---- Command interpreter ---------------------------------------------------

// Runs one command string as the platform's command interpreter would and
// returns its exit status. A command holding a NUL byte is not run (status 1):
// the interpreter would see only the part before it.
int Command(const std::string& command);

// How a program run by Run_Program ended.
struct Program_End {
  bool started;    // false: it could not be started, and `code` is the system's error number
  bool signaled;   // POSIX: it was killed by signal number `code`
  long long code;  // its exit status (on Windows the whole 32-bit value, e.g. 0xC0000005)
};

struct Crash_Stack;

// Runs argv[0] with the rest as its arguments, in this console with its input
// and output, without a shell, and waits for it. While it runs, Ctrl+C and
// its kin reach the program, not the caller. With `crash`, the program is
// watched, at no cost until it crashes, and `crash` gets its stack then.
Program_End Run_Program(const std::vector<std::string>& argv, Crash_Stack* crash = nullptr);

// ---- Where a program crashed -------------------------------------------------
// posix_debug.cpp or windows_debug.cpp watch a program for Run_Program or
// Run_Sample, and catch its stack at the moment it crashes.

// One frame of a crashed program's stack.
struct Crash_Frame {
  int module;                  // its index in Crash_Stack::modules; -1 when its code lies in none
  unsigned long long address;  // as the module's file and debug information count it (the load
                               // base taken off); an outer frame's lies within its call
};

struct Crash_Stack {
  bool crashed = false;              // the program ended by a crash (a fault, abort, ...)
  bool caught = false;               // and its stack was caught at that moment
  std::string missing;               // why it could not be caught, in plain Chinese words
  std::vector<std::string> modules;  // the files of the frames' code, the program's first
  std::vector<Crash_Frame> frames;   // innermost first
  bool cut = false;       // the stack was deeper than was walked: the outermost are missing
  bool overflow = false;  // the program ran out of stack
  std::string through;    // the runtime function it was caught in when it ended through one
                          // without a fault (Windows: "abort", "_assert"); "" for none
};

// Runs argv[0] (a path) with the rest as its arguments, without a shell, and
// waits for it; what it writes to its standard output is kept in `out` (its
// first few megabytes), what it writes to its standard error is thrown away.
// For tools whose answer is read, such as addr2line.
Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out);

// ---- Time ------------------------------------------------------------------

// Microseconds on a monotonic clock.
long long Clock_Us();

// Sleeps the calling thread for the given number of microseconds.
void Sleep_Us(long long us);

// ---- File system -----------------------------------------------------------

enum Path_Kind { PATH_MISSING, PATH_FILE, PATH_DIRECTORY, PATH_OTHER };

// Status of a path, following symbolic links. A query that fails for any
// reason (access denied, a malformed name) answers PATH_MISSING, and so does a
// path holding a NUL byte: the system would read only the part before it.
Path_Kind Path_Status(const std::string& path);

// Reads a whole regular file of at most `limit` bytes in text mode (line ends
// arrive as LF). Nothing else is read, so a pipe or a device in the file's
// place can neither block nor flood the program. Returns false when it cannot
// be read: `err` then says why in plain Chinese words, or is left empty when
// there is nothing at all at `path`.
bool Read_Text_File(const std::string& path, size_t limit, std::string& text, std::string* err);

// Writes text (LF line ends; the platform's own line end on disk) to a new
// file beside `path`, unique to this process and created afresh, then puts it
// in place of `path` in one step, so that a failed or cut-off write leaves the
// old file whole and two programs saving at once never mix their bytes.
// Returns false on failure, with the reason in plain Chinese words in `err`.
bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err);

// Marks the file hidden, with no other attribute. Nothing where files have no
// hidden attribute.
void Hide_File(const std::string& path);

// Creates an empty file; never opens or truncates one that exists.
// Returns false when it cannot be created (a path holding a NUL byte included).
bool Create_Empty_File(const std::string& path);

// ---- The launcher ----------------------------------------------------------
// What tarnwickstone-launch needs beyond the main program's operations;
// posix_launch.cpp or windows_launch.cpp implements it.

// The process's arguments as UTF-8, its own name first. On Windows they are
// read from the wide command line, since argv holds them in the ANSI code page.
std::vector<std::string> Program_Arguments(int argc, char** argv);

// Sets the console window's title to the text as it stands: `&` or `|` in a
// file name stay characters (cmd's "title a&b" would run b).
void Set_Title(const std::string& title);

// Remembers the console's input and output code pages, and puts back what
// was remembered. Nothing where consoles have no code pages.
void Save_Code_Pages();
void Restore_Code_Pages();

// Throws away whatever was typed and not yet read. Nothing when standard
// input is not a console.
void Discard_Typed_Input();

// Writes `prompt`, waits for one key (one byte of input when standard input
// is not a console, and nothing read beyond it; returns at end of input), then
// writes a line feed. Says whether the key was Enter, another, or none.
enum Key { KEY_ENTER, KEY_OTHER, KEY_NONE };
Key Wait_Key(const std::string& prompt = "请按任意键继续. . .");

// The name of signal `number`, such as "SIGSEGV"; "" for a number without one.
std::string Signal_Name(int number);

// Why a program could not be started, from the system's error number in
// Program_End::code.
enum Start_Failure { START_NOT_FOUND, START_DENIED, START_NOT_PROGRAM, START_OTHER };
Start_Failure Start_Failure_Kind(long long code);

// ---- Sample runs -----------------------------------------------------------
// What the launcher needs to run a program on sample files. Each failure
// comes with its reason, a Chinese phrase that names the file.

// The names of the regular files (links followed) in a folder, in no order.
bool List_Files(const std::string& folder, std::vector<std::string>& names, std::string* err);

// The first `most` bytes of a file, exactly as they are on disk.
bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err);

// Copies a file to `to`, which must not exist yet.
bool Copy_File(const std::string& from, const std::string& to, std::string* err);

// Makes a new empty folder, private to the user, among the system's temporary files.
bool Make_Temp_Folder(std::string& path, std::string* err);

// Removes a folder with everything in it; links inside are removed, never followed.
bool Remove_Tree(const std::string& path, std::string* err);

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
// call reports it as interrupted at once. With `crash`, the program is
// watched as Run_Program watches it.
Sample_Run Run_Sample(const std::vector<std::string>& argv, const std::string& folder,
                      const std::string& input, const std::vector<std::string>& outputs, size_t cap,
                      long long limit_us, Crash_Stack* crash = nullptr);

// The console's width in columns; 80 when output is not a console.
int Console_Width();

// GBK (code page 936) text as UTF-8; false when the bytes are not GBK.
bool Decode_GBK(const std::string& bytes, std::string& text);

// ---- The compiler companion ------------------------------------------------
// What tarnwickstone-cc needs beyond the others; posix_cc.cpp or windows_cc.cpp
// implements it, and Relay_Program lives beside Run_Program.

// Runs argv[0] (a path) with the rest as its arguments, without a shell, and
// waits for it, as Run_Program does; what it writes to its standard output
// and error goes on to ours byte for byte, as it comes, and a copy of each
// (its first few megabytes) is kept in `out` and `err`. Where our stream is a
// terminal, the program's is a terminal too, so it writes what it would have
// written without us (colours among it).
Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out, std::string& err);

// Writes text to standard error; on a console as whole characters.
void Write_Err(const std::string& text);

// This program's own executable file, links resolved; "" when it cannot be told.
std::string Own_Path();

// True when both paths lead to one and the same file, however each is named
// or linked; false when either cannot be looked at.
bool Same_File(const std::string& a, const std::string& b);

// The folders of the PATH, in order.
std::vector<std::string> Path_Folders();

// Folders where compilers are commonly installed on this system, in the order
// they are tried; none on POSIX.
std::vector<std::string> Compiler_Folders();

// For each folder, the program called `name` in it (`name`.exe on Windows)
// when there is an executable file of that name; in the order of the folders.
std::vector<std::string> Programs_In(const std::vector<std::string>& folders,
                                     const std::string& name);

// The value of an environment variable; "" when it is not set.
std::string Environment_Variable(const std::string& name);

// Sets an environment variable for this process and the programs it starts.
void Set_Environment_Variable(const std::string& name, const std::string& value);
