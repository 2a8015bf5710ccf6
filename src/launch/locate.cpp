#include "launch/locate.h"

#include "common/names.h"
#include "platform/platform.h"

namespace {

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

// The name without the C library's inner prefix, as the C library's own
// debug information names its functions ("__GI_abort" is abort).
std::string Plain_Name(const std::string& function) {
  std::string name = Short_Function(function);
  return name.compare(0, 5, "__GI_") == 0 ? name.substr(5) : name;
}

Crash_Cause Cause_Of(const std::vector<Named_Frame>& inner, const std::string& through) {
  Crash_Cause cause = inner.empty() ? CAUSE_FAULT : CAUSE_LIBRARY;
  std::vector<std::string> names = {through};
  for (const Named_Frame& frame : inner) names.push_back(Plain_Name(frame.place.function));
  for (const std::string& name : names) {
    if (name == "__assert_fail" || name == "_assert" || name == "_wassert" ||
        name == "__assert_func")
      return CAUSE_ASSERT;
    if (name == "__cxa_throw" || name == "__cxa_rethrow" || name == "std::terminate")
      cause = CAUSE_EXCEPTION;
    if (name == "abort" && cause != CAUSE_EXCEPTION) cause = CAUSE_ABORT;
  }
  return cause;
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

// When the stack ran out: the function whose recursion took it, and how deep.
void Find_Recursion(Crash_Location& location, const std::vector<Call_Step>& all) {
  const Call_Step* most = nullptr;
  for (const Call_Step& step : location.steps)
    if (step.repeat > 1 && (!most || step.repeat * step.block > most->repeat * most->block))
      most = &step;
  if (most == nullptr) return;
  location.recursive = most->function;
  for (const Call_Step& step : all) location.depth += step.function == most->function;
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

std::string Short_Function(const std::string& name) {
  std::string text = name;
  for (const std::string noise : {"(anonymous namespace)::", "__cxx11::"})
    for (size_t at; (at = text.find(noise)) != std::string::npos;) text.erase(at, noise.size());
  // The parameters, and what follows them ("const").
  size_t close = text.rfind(')');
  for (int depth = 0; close != std::string::npos && close > 0; close--) {
    depth += text[close] == ')' ? 1 : text[close] == '(' ? -1 : 0;
    if (depth == 0) {
      text.erase(close);
      break;
    }
  }
  // Template arguments and ABI tags; an operator's own '<' is no bracket.
  std::string plain;
  int angles = 0;
  bool is_operator = text.find("operator") != std::string::npos;
  for (size_t i = 0; i < text.size(); i++) {
    if (text.compare(i, 5, "[abi:") == 0 && text.find(']', i) != std::string::npos) {
      i = text.find(']', i);
      continue;
    }
    if (!is_operator && text[i] == '<') angles++;
    if (angles == 0) plain += text[i];
    if (!is_operator && text[i] == '>' && angles > 0) angles--;
  }
  // A function template's name comes after its return type.
  for (size_t space = plain.rfind(' '); space != std::string::npos; space = plain.rfind(' ')) {
    std::string before = plain.substr(0, space);
    if (before.size() >= 8 && before.compare(before.size() - 8, 8, "operator") == 0) break;
    if (before.find_first_of("({") != std::string::npos) break;
    plain.erase(0, space + 1);
  }
  return plain;
}

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
    location.why = code && !lines ? "程序里没有行号信息：编译时没有加 -g 选项"
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
  for (size_t i = first; i < end; i++)
    if (Lies_In(named[i].place.file, folders))
      steps.push_back({Short_Function(named[i].place.function), named[i].place.file,
                       named[i].place.line, 1, 1});
  location.known = true;
  location.steps = {steps.front()};
  std::vector<Call_Step> callers = Fold({steps.begin() + 1, steps.end()});
  location.steps.insert(location.steps.end(), callers.begin(), callers.end());
  if (overflow) Find_Recursion(location, steps);
  return location;
}
