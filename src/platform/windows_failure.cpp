// Failures on Windows: the one table from the system's error codes to the
// kinds of failure whose words failure.cpp holds.
#include "platform/windows_internal.h"

Failure Failure_Of(long long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return FAILURE_NOT_FOUND;
    case ERROR_ACCESS_DENIED:
      return FAILURE_DENIED_OR_BUSY;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FAILURE_BUSY;
    case ERROR_WRITE_PROTECT:
      return FAILURE_READ_ONLY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FAILURE_DISK_FULL;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FAILURE_EXISTS;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_EXE_MARKED_INVALID:
    case ERROR_INVALID_EXE_SIGNATURE:
      return FAILURE_NOT_PROGRAM;
    default:
      return FAILURE_OTHER;
  }
}

bool Fail_Last(std::string* err, Doing doing) {
  return Fail_Code(err, GetLastError(), doing);
}
