#include "e2e/piped_run.h"

#include "process.h"

Piped_Run Run_Piped(const std::vector<std::string>& argv, const std::string& folder,
                    const std::string& input, int timeout_ms) {
  Spawn_Options options;
  options.folder = folder;
  options.env = {{"TMUX", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
  options.errors = false;  // a sanitizer's report goes to the test's log, not the screen
  Process_Run run = Run_Process(argv, options, input, timeout_ms);
  return {run.status, run.out};
}
