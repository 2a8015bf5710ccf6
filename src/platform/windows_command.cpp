// The command interpreter on Windows: the real cmd.
#include <process.h>
#include <stdlib.h>

#include "platform/platform.h"
#include "windows_internal.h"

// The real cmd: the command as UTF-16, so a Chinese path in it survives.
int Command(const std::string& command) {
  if (command.find('\0') != std::string::npos) return 1;
  Write_Held();
  return _wsystem(Widen(command).c_str());
}
