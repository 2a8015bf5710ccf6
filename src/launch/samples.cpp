#include "launch/samples.h"

#include <algorithm>
#include <map>

#include "launch/report.h"
#include "platform/platform.h"

namespace {

bool Ends_With(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The number in `name` when it is PREFIX<digits>EXT (in lower case), else "".
std::string Number_In(const std::string& name, const std::string& prefix, const std::string& ext) {
  std::string lower = Lower(name);
  if (lower.size() <= prefix.size() + ext.size() || lower.compare(0, prefix.size(), prefix) != 0 ||
      !Ends_With(lower, ext))
    return "";
  std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - ext.size());
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })
             ? digits
             : "";
}

// Numeric order for numbers of any length: fewer digits first, leading zeros aside.
bool Before(const Sample& a, const Sample& b) {
  std::string x = a.number.substr(std::min(a.number.find_first_not_of('0'), a.number.size()));
  std::string y = b.number.substr(std::min(b.number.find_first_not_of('0'), b.number.size()));
  if (x.size() != y.size()) return x.size() < y.size();
  return x != y ? x < y : a.input < b.input;
}

// The pairs PREFIX<n>.in + PREFIX<n>.ans (or another of `answers`) in
// `folder`, which is "" or ends with a separator.
Sample_Set Pick(const std::string& folder, const std::string& prefix,
                const std::vector<std::string>& answers) {
  Sample_Set set;
  std::vector<std::string> names;
  std::string err, place = folder.empty() ? "." : folder;
  if (Path_Status(place) != PATH_DIRECTORY) return set;
  if (!List_Files(place, names, &err)) {
    set.errors.push_back("无法读取文件夹 " + place + "（" + err + "）");
    return set;
  }
  std::map<std::string, std::string> by_lower;  // a folder may hold thousands of files
  for (const std::string& name : names) by_lower[Lower(name)] = name;
  for (const std::string& name : names) {
    std::string number = Number_In(name, Lower(prefix), ".in");
    if (number.empty()) continue;
    std::string answer;
    for (size_t i = 0; i < answers.size() && answer.empty(); ++i) {
      auto found = by_lower.find(Lower(prefix + number + answers[i]));
      if (found != by_lower.end()) answer = found->second;
    }
    if (answer.empty())
      set.unanswered.push_back(folder + name);
    else
      set.samples.push_back({number, folder + name, folder + answer});
  }
  std::sort(set.samples.begin(), set.samples.end(), Before);
  std::sort(set.unanswered.begin(), set.unanswered.end());
  set.folder = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : place;
  return set;
}

}  // namespace

std::string Program_Stem(const std::string& program) {
  std::string name = Base_Name(program);
  return Ends_With(Lower(name), ".exe") ? name.substr(0, name.size() - 4) : name;
}

Sample_Set Find_Samples(const std::string& program) {
  std::string stem = Program_Stem(program);
  std::string folder = program.substr(0, program.size() - Base_Name(program).size());
  struct Place {
    std::string folder, prefix;
    std::vector<std::string> answers;
  };
  const Place places[] = {{folder, stem, {".ans", ".out"}},
                          {folder + stem + SEPARATOR, stem, {".ans", ".out"}},
                          {folder + "test" + SEPARATOR, "sample-", {".out"}}};
  Sample_Set set;
  for (const Place& place : places) {
    Sample_Set found = Pick(place.folder, place.prefix, place.answers);
    set.errors.insert(set.errors.end(), found.errors.begin(), found.errors.end());
    if (found.samples.empty()) continue;
    found.errors = set.errors;
    set = found;
    break;
  }
  std::vector<std::string> names;
  if (List_Files(folder.empty() ? "." : folder, names, nullptr))
    for (const std::string& name : names)
      if (Lower(name) == Lower(stem + ".cpp")) set.source = folder + name;
  return set;
}
