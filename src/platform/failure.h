// How the platform layer words a failure: the few kinds it tells apart on
// every system, and the Chinese words for each, written once for both
// implementations in failure.cpp. Each implementation has one table from its
// system's error codes to these kinds (posix_failure.cpp, windows_failure.cpp).
// Not part of the platform interface.
#pragma once

#include <string>

#include "platform/platform.h"

enum Failure {
  FAILURE_NOT_FOUND,       // nothing there, or a folder on the way is missing
  FAILURE_DENIED,          // no permission
  FAILURE_DENIED_OR_BUSY,  // no permission, or another program holds the file: Windows says one
  FAILURE_BUSY,            // another program holds the file
  FAILURE_READ_ONLY,       // the disk takes no writing
  FAILURE_DISK_FULL,       // no room left on the disk
  FAILURE_IS_FOLDER,       // a folder stands where a file was meant
  FAILURE_EXISTS,          // something is already there, where a new file was meant
  FAILURE_NOT_REGULAR,     // a device, a pipe or the like where a file was meant
  FAILURE_TOO_LARGE,       // a file over the limit it was read with
  FAILURE_NOT_PROGRAM,     // a file the system cannot run
  FAILURE_OTHER,           // anything else, told by the system's own number
};

// What was being done, which words some failures best: "no permission" is
// "may not read it" to a reader and "the folder takes no writing" to a writer.
enum Doing { DOING_ANY, DOING_READ, DOING_WRITE, DOING_START };

// The kind of failure that a system error code (errno, GetLastError) names:
// the platform's one table.
Failure Failure_Of(long long code);

// The words for a failure while doing something; `code` is the system's
// number, told only for FAILURE_OTHER.
std::string Reason(Failure failure, Doing doing, long long code);

// Puts the reason in `*err` when `err` is not nullptr. Always false, so that
// an operation can end with `return Fail(...)`.
bool Fail(std::string* err, Failure failure, Doing doing = DOING_ANY, long long code = 0);

// Fail() with the failure that the system error code `code` names.
bool Fail_Code(std::string* err, long long code, Doing doing = DOING_ANY);

// A system error code in words: "没有权限", "系统错误 5".
std::string Error_Text(long long code);

// How a program that could not be started ended, the system error code
// `code` saying why: not started, with the status a shell gives (NOT_FOUND or
// NOT_RUNNABLE), and the reason in `*err`.
Program_End Not_Started(long long code, std::string* err);
