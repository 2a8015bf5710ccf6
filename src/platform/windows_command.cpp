// The command interpreter on Windows: the real cmd, given the command as
// UTF-16 so that a Chinese path in it survives.
#include <process.h>
#include <stdlib.h>

#include "platform/windows_internal.h"

int Command(const std::string& command) {
  if (command.find('\0') != std::string::npos) return 1;
  Write_Held();
  return _wsystem(Widen(command).c_str());
}
