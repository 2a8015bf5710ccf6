#include "launch/locate.h"

#include <map>

#include "common/names.h"
#include "console/text.h"
#include "platform/platform.h"

namespace {

// A function that fills more than half of a stack that ran out, at least
// this many times, is taken as its recursion.
const size_t MOST_TIMES = 16;

// One frame as its source names it, inlined functions each a frame of their own.
struct Named_Frame {
  Source_Place place;
  bool in_program;
};

// The folder part of a path; "" for a bare name, which lies in no folder of ours.
std::string Folder_Part(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

// A path as compared: one kind of separator, and on Windows one letter case.
std::string Comparable(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return SEPARATOR == '\\' ? Lower(path) : path;
}

bool Lies_In(const std::string& file, const std::vector<std::string>& folders) {
  std::string at = Comparable(file);
  for (const std::string& folder : folders) {
    std::string in = Comparable(folder);
    if (!in.empty() && at.size() > in.size() + 1 && at.compare(0, in.size(), in) == 0 &&
        at[in.size()] == '/')
      return true;
  }
  return false;
}

// The name without the C library's inner prefixes, as the C library's own
// debug information names its functions ("__GI_abort" is abort).
std::string Plain_Name(const std::string& function) {
  std::string name = Short_Function(function);
  for (const char* prefix : {"__GI_", "__libc_"})
    if (Starts_With(name, 0, prefix)) return name.substr(std::string(prefix).size());
  return name;
}

bool Is_One_Of(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* each : names)
    if (name == each) return true;
  return false;
}

// What ended the program, from the library functions between the user's line
// and the crash (and the runtime function it was caught in): the first of
// these that holds.
Crash_Cause Cause_Of(const std::vector<Named_Frame>& inner, const std::string& through) {
  std::vector<std::string> names = {through};
  for (const Named_Frame& frame : inner) names.push_back(Plain_Name(frame.place.function));
  bool thrown = false, terminated = false, heap = false, smashed = false, aborted = false,
       raised = false;
  for (const std::string& name : names) {
    if (Is_One_Of(name, {"__assert_fail", "_assert", "_wassert", "__assert_func"}))
      return CAUSE_ASSERT;
    thrown = thrown || Is_One_Of(name, {"__cxa_throw", "__cxa_rethrow", "_Unwind_RaiseException"});
    terminated =
        terminated || Is_One_Of(name, {"std::terminate", "_ZSt9terminatev", "__cxa_pure_virtual"});
    heap = heap || name == "malloc_printerr";
    smashed = smashed || name == "__stack_chk_fail";
    aborted = aborted || name == "abort";
    raised = raised || Is_One_Of(name, {"raise", "gsignal", "kill", "tgkill", "pthread_kill"});
  }
  return thrown          ? CAUSE_EXCEPTION
         : terminated    ? CAUSE_TERMINATE
         : heap          ? CAUSE_HEAP
         : smashed       ? CAUSE_SMASHED
         : aborted       ? CAUSE_ABORT
         : raised        ? CAUSE_RAISED
         : inner.empty() ? CAUSE_FAULT
                         : CAUSE_LIBRARY;
}

// A function the compiler made rather than the user wrote: it runs the
// constructors and destructors of global variables.
bool Compiler_Made(const std::string& function) {
  for (const char* head :
       {"_GLOBAL__", "__static_initialization_and_destruction", "__tcf_", "__cxx_global_var_init"})
    if (Starts_With(function, 0, head)) return true;
  return false;
}

bool Same_Step(const Call_Step& a, const Call_Step& b) {
  return a.line == b.line && a.function == b.function && a.file == b.file;
}

// Runs of the same call, or of the same few calls by turns, made one step.
std::vector<Call_Step> Fold(const std::vector<Call_Step>& steps) {
  std::vector<Call_Step> folded;
  for (size_t i = 0; i < steps.size();) {
    size_t best = 1, times = 1;
    for (size_t block = 1; block <= 3; block++) {
      size_t n = 1;
      while (i + (n + 1) * block <= steps.size()) {
        bool same = true;
        for (size_t k = 0; same && k < block; k++)
          same = Same_Step(steps[i + k], steps[i + n * block + k]);
        if (!same) break;
        n++;
      }
      if (n > 1 && n * block > times * best) {
        best = block;
        times = n;
      }
    }
    for (size_t k = 0; k < best; k++) {
      folded.push_back(steps[i + k]);
      folded.back().repeat = k == 0 ? static_cast<long long>(times) : 1;
      folded.back().block = k == 0 ? static_cast<int>(best) : 1;
    }
    i += best * times;
  }
  return folded;
}

// When the stack ran out: the function whose recursion took it, and how
// deep. A recursion the optimiser twisted (calls alternating with inlined
// ones) folds into no run, but its function still fills the stack.
void Find_Recursion(Crash_Location& location, const std::vector<Call_Step>& all) {
  const Call_Step* most = nullptr;
  for (const Call_Step& step : location.steps)
    if (step.repeat > 1 && !step.function.empty() &&
        (!most || step.repeat * step.block > most->repeat * most->block))
      most = &step;
  std::string function = most ? most->function : "";
  if (function.empty()) {  // an inlined step has no name: the named ones are counted
    std::map<std::string, size_t> counts;
    size_t named = 0, best = 0;
    for (const Call_Step& step : all)
      if (!step.function.empty()) named++, counts[step.function]++;
    for (const auto& [name, count] : counts)
      if (count > best) best = count, function = name;
    if (best < MOST_TIMES || best * 2 <= named) function.clear();
  }
  if (function.empty()) return;
  location.recursive = function;
  for (const Call_Step& step : all) location.depth += step.function == function;
}

std::vector<Named_Frame> Name_Frames(const std::vector<Frame_Places>& frames) {
  std::vector<Named_Frame> named;
  for (const Frame_Places& frame : frames) {
    if (frame.places.empty()) named.push_back({{"", "", 0}, frame.in_program});
    for (const Source_Place& place : frame.places) named.push_back({place, frame.in_program});
  }
  return named;
}

}  // namespace

Crash_Location Locate_Crash(const std::vector<Frame_Places>& frames, const std::string& program,
                            bool cut, bool overflow, const std::string& through) {
  Crash_Location location;
  location.overflow = overflow;
  location.deeper = cut;
  std::vector<Named_Frame> named = Name_Frames(frames);
  std::vector<std::string> folders = {Folder_Part(program)};
  size_t end = named.size();
  for (size_t i = named.size(); i-- > 0;)
    if (Short_Function(named[i].place.function) == "main" && !named[i].place.file.empty()) {
      folders.push_back(Folder_Part(named[i].place.file));
      end = i + 1;  // main ends the chain
      break;
    }
  size_t first = 0;
  while (first < end && !Lies_In(named[first].place.file, folders)) first++;
  if (first == end) {
    bool lines = false, code = false;
    for (const Named_Frame& frame : named) {
      code = code || frame.in_program;
      lines = lines || (frame.in_program && !frame.place.file.empty());
    }
    location.no_lines = code && !lines;
    location.why = location.no_lines ? "程序里没有行号信息：编译时要加上 -g 选项（并且不加 -s）"
                                     : "没能在调用栈里找到你的源文件中的代码";
    return location;
  }
  std::vector<Named_Frame> inner(named.begin(), named.begin() + static_cast<long>(first));
  location.cause = Cause_Of(inner, through);
  // A library's own name for an inner function may be a guess from the
  // nearest name it exports; those of abort and its kin never are.
  std::string callee = inner.empty() ? "" : Plain_Name(inner.back().place.function);
  if (callee.empty() && inner.size() == 1) callee = through;  // called straight from that line
  bool sure = !inner.empty() && !inner.back().place.file.empty() && callee[0] != '_';
  if (sure || location.cause != CAUSE_LIBRARY) location.callee = callee;
  std::vector<Call_Step> steps;
  for (size_t i = first; i < end; i++) {
    bool made = Compiler_Made(named[i].place.function);
    if (Lies_In(named[i].place.file, folders) && (i == first || !made))
      steps.push_back({made ? "" : Short_Function(named[i].place.function), named[i].place.file,
                       named[i].place.line, 1, 1});
  }
  location.known = true;
  location.steps = {steps.front()};
  std::vector<Call_Step> callers = Fold({steps.begin() + 1, steps.end()});
  location.steps.insert(location.steps.end(), callers.begin(), callers.end());
  if (overflow) Find_Recursion(location, steps);
  return location;
}
