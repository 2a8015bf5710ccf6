#include "launch/samples.h"

#include <algorithm>
#include <map>

#include "console/text.h"  // Ends_In
#include "platform/platform.h"

namespace {

bool Digits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number in `name` when it is PREFIX<digits>EXT (in lower case), else "".
std::string Number_In(const std::string& name, const std::string& prefix, const std::string& ext) {
  std::string lower = Lower(name);
  if (lower.size() <= prefix.size() + ext.size() || lower.compare(0, prefix.size(), prefix) != 0 ||
      !Ends_In(lower, ext))
    return "";
  std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - ext.size());
  return Digits(digits) ? digits : "";
}

// Numeric order for numbers of any length: fewer digits first, leading zeros aside.
bool Before(const Sample& a, const Sample& b) {
  std::string x = a.number.substr(std::min(a.number.find_first_not_of('0'), a.number.size()));
  std::string y = b.number.substr(std::min(b.number.find_first_not_of('0'), b.number.size()));
  if (x.size() != y.size()) return x.size() < y.size();
  return x != y ? x < y : a.input < b.input;
}

// A place to look: a folder ("" or ending with a separator), the prefix of
// the names, the answer extensions in order, and in D the other programs'
// names (in lower case) that may claim a file.
struct Place {
  std::string folder, prefix;
  std::vector<std::string> answers;
  std::vector<std::string> rivals;
};

// Why an entry cannot be a sample's file, as the end of a sentence about
// it; "" when it can. `inside` is the real path of the contest folder.
std::string Unusable(const Folder_Entry& entry, const std::string& inside) {
  switch (entry.kind) {
    case ENTRY_FILE:
      if (entry.target.empty() || entry.target.compare(0, inside.size(), inside) == 0) return "";
      return "是一个链接，指向比赛文件夹以外的 " + entry.target + "，不会被读取";
    case ENTRY_FOLDER:
      return "是一个文件夹，不是普通文件";
    case ENTRY_PIPE:
      return "是一个命名管道（FIFO），不是普通文件";
    case ENTRY_DEVICE:
      return "是一个设备，不是普通文件";
    case ENTRY_SOCKET:
      return "是一个套接字，不是普通文件";
    case ENTRY_BROKEN_LINK:
      break;
  }
  return "是一个链接，指向的文件不存在";
}

// True when a longer program name in the folder claims `lower`: the rest
// after it is a number and ".in", or ".in" alone. A rival as long as the
// prefix is another program's own name ("ex_x" beside "x").
bool Claimed(const std::string& lower, const Place& place) {
  for (const std::string& rival : place.rivals) {
    if (rival.size() < place.prefix.size() || lower.compare(0, rival.size(), rival) != 0) continue;
    std::string rest = lower.substr(rival.size());
    if (rest == ".in" || (rest.size() > 3 && Digits(rest.substr(0, rest.size() - 3)))) return true;
  }
  return false;
}

// Pairs one input with its answer, or says why it cannot be a sample.
void Take(Sample_Set& set, const Place& place, const Folder_Entry& input, const std::string& number,
          const std::map<std::string, const Folder_Entry*>& by_lower, const std::string& inside) {
  std::string in = place.folder + input.name, why = Unusable(input, inside);
  if (!why.empty()) {
    set.left_out.push_back(Shown_Path(in) + " " + why);
    return;
  }
  for (const std::string& ext : place.answers) {
    auto found = by_lower.find(Lower(place.prefix + number + ext));
    if (found == by_lower.end()) continue;
    std::string answer = place.folder + found->second->name;
    why = Unusable(*found->second, inside);
    if (why.empty())
      set.samples.push_back({number, in, answer});
    else
      set.left_out.push_back(Shown_Path(in) + " 的答案 " + Shown_Path(answer) + " " + why);
    return;
  }
  set.left_out.push_back(Shown_Path(in) + " 没有对应的答案文件");
}

Sample_Set Pick(const Place& place, const std::string& inside) {
  Sample_Set set;
  std::vector<Folder_Entry> entries;
  std::string err, folder = place.folder.empty() ? "." : place.folder;
  if (Path_Status(folder) != PATH_DIRECTORY) return set;
  if (!List_Folder(folder, entries, &err)) {
    set.errors.push_back(err);
    return set;
  }
  std::map<std::string, const Folder_Entry*> by_lower;  // a folder may hold thousands of files
  for (const Folder_Entry& entry : entries) by_lower[Lower(entry.name)] = &entry;
  for (const Folder_Entry& entry : entries) {
    std::string number = Number_In(entry.name, Lower(place.prefix), ".in");
    if (!number.empty() && !Claimed(Lower(entry.name), place))
      Take(set, place, entry, number, by_lower, inside);
  }
  std::sort(set.samples.begin(), set.samples.end(), Before);
  std::sort(set.left_out.begin(), set.left_out.end());
  set.folder = place.folder.size() > 1 ? place.folder.substr(0, place.folder.size() - 1) : folder;
  return set;
}

// The names of the programs in the folder other than `stem`, from their
// sources and executables, in lower case.
std::vector<std::string> Rivals(const std::string& folder, const std::string& stem) {
  std::vector<Folder_Entry> entries;
  std::vector<std::string> names;
  if (!List_Folder(folder.empty() ? "." : folder, entries, nullptr)) return names;
  for (const Folder_Entry& entry : entries) {
    std::string lower = Lower(entry.name);
    if (!Ends_In(lower, ".cpp") && !Ends_In(lower, ".exe")) continue;
    std::string name = lower.substr(0, lower.size() - 4);
    if (name != Lower(stem)) names.push_back(name);
  }
  return names;
}

// The folder of `path` as it is joined to a name: "" or ending with a separator.
std::string Folder_Prefix(const std::string& path) {
  return path.substr(0, path.size() - Base_Name(path).size());
}

// Where the samples of the program may be, in the order they are looked for:
// beside it as the contests hand them out (X1.in, ex_X1.in), in the folder
// named as the problem (the same, or 1.in, sample1.in there), then test/.
std::vector<Place> Places(const std::string& program) {
  std::string stem = Program_Stem(program), folder = Folder_Prefix(program);
  std::string own = folder + stem + SEPARATOR, ex = "ex_" + stem;
  std::vector<std::string> rivals = Rivals(folder, stem), ex_rivals = rivals;
  for (const std::string& rival : rivals) ex_rivals.push_back("ex_" + rival);
  const std::vector<std::string> answers = {".ans", ".out"};
  return {{folder, stem, answers, rivals},
          {folder, ex, answers, ex_rivals},
          {own, stem, answers, {}},
          {own, ex, answers, {}},
          {own, "", answers, {}},
          {own, "sample", answers, {}},
          {folder + "test" + SEPARATOR, "sample-", {".out"}, {}}};
}

// The largest number of a sample's file in the place (inputs and answers
// alike), 0 when there is none; numbers too long to count are passed by.
long long Last_Number(const std::vector<Folder_Entry>& entries, const Place& place) {
  long long last = 0;
  for (const Folder_Entry& entry : entries)
    for (const char* ext : {".in", ".ans", ".out"}) {
      std::string number = Number_In(entry.name, Lower(place.prefix), ext);
      if (!number.empty() && number.size() < 10) last = std::max(last, std::stoll(number));
    }
  return last;
}

// A number whose files are all free, in any letter case, and unclaimed.
bool Free(long long number, const std::vector<Folder_Entry>& entries, const Place& place) {
  std::string name = Lower(place.prefix + std::to_string(number));
  if (Claimed(name + ".in", place)) return false;
  for (const Folder_Entry& entry : entries) {
    std::string lower = Lower(entry.name);
    if (lower == name + ".in" || lower == name + ".ans" || lower == name + ".out") return false;
  }
  return true;
}

}  // namespace

bool Add_Sample(const std::string& program, const Sample_Set& set, const std::string& input,
                const std::string& answer, Sample& added, std::string* err) {
  const Place place = Places(program)[static_cast<size_t>(set.place)];
  std::vector<Folder_Entry> entries;
  if (!List_Folder(place.folder.empty() ? "." : place.folder, entries, err)) return false;
  // An answer named as the others are: X1.out where X1.out answers X1.in.
  std::string answer_ext = place.answers[0];
  if (!set.samples.empty() && Ends_In(Lower(set.samples.back().answer), ".out"))
    answer_ext = ".out";
  long long number = Last_Number(entries, place) + 1;
  while (!Free(number, entries, place)) ++number;
  std::string name = place.folder + place.prefix + std::to_string(number);
  added = {std::to_string(number), name + ".in", name + answer_ext};
  if (!Copy_File(input, added.input, err)) return false;
  if (Write_New_File(added.answer, answer, err)) return true;
  Remove_File(added.input, nullptr);  // no input without its answer
  return false;
}

std::string Program_Stem(const std::string& program) {
  std::string name = Base_Name(program);
  return Ends_In(Lower(name), ".exe") ? name.substr(0, name.size() - 4) : name;
}

std::string Explicit_Path(const std::string& path) {
  if (path.find_first_of(std::string("/") + SEPARATOR) != std::string::npos) return path;
  return std::string(".") + SEPARATOR + path;
}

Sample_Set Find_Samples(const std::string& program) {
  std::string stem = Program_Stem(program);
  std::string folder = Folder_Prefix(program);
  std::string inside = Real_Path(folder.empty() ? "." : folder);
  inside += inside.empty() || inside.back() == SEPARATOR ? "" : std::string(1, SEPARATOR);
  std::vector<Place> places = Places(program);
  // The first place with samples; without any, the first with files that
  // could not be samples, so that the reason is said.
  Sample_Set set;
  std::vector<std::string> errors;
  for (size_t i = 0; i < places.size(); ++i) {
    Sample_Set found = Pick(places[i], inside);
    found.place = found.samples.empty() ? 0 : static_cast<int>(i);
    errors.insert(errors.end(), found.errors.begin(), found.errors.end());
    if (set.samples.empty() && (!found.samples.empty() || set.left_out.empty())) set = found;
    if (!set.samples.empty()) break;
  }
  set.errors = errors;
  std::vector<Folder_Entry> entries;
  if (List_Folder(folder.empty() ? "." : folder, entries, nullptr))
    for (const Folder_Entry& entry : entries)
      if (entry.kind == ENTRY_FILE && Lower(entry.name) == Lower(stem + ".cpp"))
        set.source = folder + entry.name;
  return set;
}
