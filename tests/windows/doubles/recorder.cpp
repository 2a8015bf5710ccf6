// Stands in for notepad.exe, the launcher and the user's compiled program:
// records its arguments and ends with status 0.
#include "record.h"

int wmain(int argc, wchar_t** argv) {
  Record(argc, argv);
  return 0;
}
