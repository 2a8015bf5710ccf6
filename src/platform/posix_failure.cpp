// Failures on POSIX: the one table from errno to the kinds of failure whose
// words failure.cpp holds.
#include <cerrno>

#include "platform/posix_internal.h"

Failure Failure_Of(long long code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return FAILURE_NOT_FOUND;
    case EACCES:
    case EPERM:
      return FAILURE_DENIED;
    case ETXTBSY:
      return FAILURE_BUSY;
    case EROFS:
      return FAILURE_READ_ONLY;
    case ENOSPC:
    case EDQUOT:
      return FAILURE_DISK_FULL;
    case EISDIR:
      return FAILURE_IS_FOLDER;
    case EEXIST:
      return FAILURE_EXISTS;
    case ENOEXEC:
      return FAILURE_NOT_PROGRAM;
    default:
      return FAILURE_OTHER;
  }
}

bool Fail_Errno(std::string* err, Doing doing) {
  return Fail_Code(err, errno, doing);
}
