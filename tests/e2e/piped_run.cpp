#include "e2e/piped_run.h"

#include "process.h"

Piped_Run Run_Piped(const std::vector<std::string>& argv, const std::string& folder,
                    const std::string& input, int timeout_ms,
                    const std::map<std::string, std::string>& env) {
  Spawn_Options options;
  options.folder = folder;
  options.env = {{"TMUX", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
  for (const auto& [name, value] : env) options.env[name] = value;
  options.errors = ERRORS_APART;
  Process_Run run = Run_Process(argv, options, input, timeout_ms);
  return {run.status, run.out, run.err};
}
