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

// Runs argv[0] with the rest as its arguments, in this console with its input
// and output, without a shell, and waits for it. While it runs, Ctrl+C and
// its kin reach the program, not the caller. It starts in `folder`, or here
// when that is "" (argv[0] is then taken from here all the same).
Program_End Run_Program(const std::vector<std::string>& argv, const std::string& folder = "");

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
bool List_Folder(const std::string& folder, std::vector<Folder_Entry>& entries, std::string* err);

// The path with every link, "." and ".." resolved; "" when it leads nowhere.
std::string Real_Path(const std::string& path);

// The first `most` bytes of a file, exactly as they are on disk.
bool Read_Bytes(const std::string& path, size_t most, std::string& bytes, std::string* err);

// Copies a file to `to`, which must not exist yet.
bool Copy_File(const std::string& from, const std::string& to, std::string* err);

// Makes a new empty folder, private to the user, among the system's temporary
// files, named after this process so that a later launcher can tell it was
// left behind.
bool Make_Temp_Folder(std::string& path, std::string* err);

// Removes a folder with everything in it, however deep, holding one folder
// open at a time; links inside are removed, never followed.
bool Remove_Tree(const std::string& path, std::string* err);

// Removes the folders Make_Temp_Folder made for launchers that no longer
// run (a launcher that was killed leaves its folder behind); the user's own
// only.
void Remove_Left_Folders();

// While held, Ctrl+C and requests to end the process wait: Run_Sample takes
// the ones that come meanwhile, the rest arrive on release. Held while a
// sample's folder exists, so that none is ever left behind. Nothing where
// there are no such signals.
void Hold_Interruptions(bool hold);

// A program run on one sample, and its limits.
struct Sample_Request {
  std::vector<std::string> argv;     // argv[0] a path, relative to the caller's folder
  std::string folder;                // where it runs: the only place it may write, where the
                                     // system allows that without privileges
  std::string input;                 // the file that is its standard input
  std::vector<std::string> outputs;  // output files whose size is watched (see `cap`)
  size_t cap;                        // standard output and every file it writes stop past
                                     // `cap` + 1 bytes
  long long time_us;                 // CPU time, user and system, of all its processes
  long long wait_us;                 // clock time after which a program that waits is ended
  long long wall_us;                 // clock time after which it is ended in any case
  long long memory_bytes;            // memory of all its processes together; on POSIX the
                                     // stack may grow as large
};

// Why the launcher ended a run.
enum Sample_Stop {
  STOP_NONE,         // it ended by itself
  STOP_TIME,         // its CPU time passed the limit
  STOP_MEMORY,       // its memory passed the limit
  STOP_WAITING,      // past `wait_us` on the clock it was waiting, not computing
  STOP_TERMINAL,     // it stopped to read the terminal, which a sample run has not
  STOP_SLOW,         // past `wall_us` it still had not used its time: a busy machine
  STOP_OUTPUT,       // an output went past the cap (where files have no size limit)
  STOP_INTERRUPTED,  // Ctrl+C
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
  std::string output;                // what it wrote to standard output: at most `cap` + 1 bytes
  std::string errors;                // the last bytes (a few kilobytes) it wrote to standard error
};

// Runs the program of `request` in its folder, with `input` as standard
// input and standard output and error captured. Its CPU time, its memory and
// the clock are watched; past a limit, on Ctrl+C, and after it ends, every
// process it started is ended too, however it detached itself, and none
// outlives the caller. From the first call on, Ctrl+C between two calls no
// longer ends the caller: the next call reports it as interrupted at once.
// False, with the reason in `err`, when the run could not be prepared.
bool Run_Sample(const Sample_Request& request, Sample_Run& run, std::string* err);

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
