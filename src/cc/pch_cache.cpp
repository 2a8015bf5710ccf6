// The cache of precompiled headers: an entry is a folder named after its key,
// holding bits/stdc++.h.gch (the folder g++ is pointed to with -I) and
// made-for.txt, which says what it was made for, from which files, and the
// header's digest. An entry is made whole in a folder of its own and then
// moved into place in one step, by one preparer at a time, in the background.
// Every folder of the cache is private to the user, and an entry is served
// only when its folders are the user's own and its header still has its digest.
#include <algorithm>

#include "cc/pch.h"

namespace {

const char* const MADE_FOR = "made-for.txt";
const long long CACHE_BOUND = 512LL << 20;  // bytes of headers kept; the newest always stays
const size_t MOST_ENTRIES = 32;             // entries kept, those that could not be made among them

enum Pch_State { PCH_MISSING, PCH_READY, PCH_UNUSABLE };
enum Made { MADE, UNUSABLE, NOT_MADE };

std::string Join(const std::string& folder, const std::string& name) {
  return folder + SEPARATOR + name;
}

std::string Header_In(const std::string& entry) {
  return Join(Join(entry, "bits"), "stdc++.h.gch");
}

std::string Root_Of(const Pch_Plan& plan) {
  return plan.entry.substr(0, plan.entry.rfind(SEPARATOR));
}

std::string First_Line(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// One line of made-for.txt: the file's size, when it was written, and its
// path (`shown`, when it is to be looked for elsewhere later).
std::string Stamp_Line(const std::string& path, std::string* err, const std::string& shown = "") {
  File_Stamp stamp;
  if (!Stamp_File(path, stamp, err)) return "";
  return std::to_string(stamp.size) + " " + std::to_string(stamp.written) + " " +
         (shown.empty() ? path : shown) + "\n";
}

// Whether every file listed in `stamps` is still as it was.
bool Stamps_Hold(const std::string& stamps) {
  for (size_t at = 0; at < stamps.size();) {
    size_t end = stamps.find('\n', at);
    std::string line = stamps.substr(at, end - at);
    size_t space = line.find(' '), path = line.find(' ', space + 1);
    if (space == std::string::npos || path == std::string::npos) return false;
    if (Stamp_Line(line.substr(path + 1), nullptr) != line + "\n") return false;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return true;
}

// The state of the plan's entry: missing also when it was made for other
// files, as after g++ or its headers were updated, or its header was
// changed since; unusable (for this compile) when the cache's folders are
// not this user's own.
Pch_State Entry_State(const Pch_Plan& plan) {
  std::string root = Root_Of(plan), text, why;
  if (Path_Status(root) == PATH_MISSING) return PCH_MISSING;
  if (!Make_Private_Folder(root)) return PCH_UNUSABLE;
  if (!Read_Text_File(Join(plan.entry, MADE_FOR), 16 << 20, text, &why)) return PCH_MISSING;
  bool ready = text.compare(0, 6, "ready\n") == 0;
  size_t digest = text.find('\n') + 1, key = digest;
  if (ready) key = text.find('\n', digest) + 1;
  size_t stamps = key + plan.key.size() + 6;
  if (digest == 0 || key == 0 || text.compare(key, plan.key.size(), plan.key) != 0 ||
      text.compare(stamps - 6, 6, "files\n") != 0 || !Stamps_Hold(text.substr(stamps)))
    return PCH_MISSING;
  if (!ready) return PCH_UNUSABLE;
  if (!Make_Private_Folder(plan.entry) ||
      text.compare(digest, key - digest, "digest " + Header_Digest(Header_In(plan.entry)) + "\n") !=
          0)
    return PCH_MISSING;
  Touch_File(Join(plan.entry, MADE_FOR));  // how recently it served, for the bound
  return PCH_READY;
}

std::vector<std::string> With(const std::vector<std::string>& front,
                              const std::vector<std::string>& back) {
  std::vector<std::string> words = front;
  words.insert(words.end(), back.begin(), back.end());
  return words;
}

// ---- Preparing an entry --------------------------------------------------------

// Runs g++ and keeps what it writes: the preparer's own streams lead nowhere.
Program_End Run_Kept(const std::vector<std::string>& argv, std::string& out, std::string& errors) {
  out.clear();
  errors.clear();
  return Relay_Program(argv, out, errors);
}

std::vector<std::string> Compiler_Words(const Pch_Plan& plan,
                                        const std::vector<std::string>& more) {
  return With(With({plan.compiler}, plan.options), more);
}

// The source's name as g++ writes it in its line markers, quoted and escaped:
// the bytes g++ itself was given, whatever the code page did to them.
bool Marked_Name(const Pch_Plan& plan, std::string& name) {
  std::string out, err;
  Run_Kept(Compiler_Words(plan, {"-E", plan.source}), out, err);
  std::string line = First_Line(out);
  size_t quote = line.find('"');
  if (line.compare(0, 2, "# ") != 0 || quote == std::string::npos || quote + 1 == line.size() ||
      line.back() != '"')
    return false;
  name = line.substr(quote);
  return true;
}

// The files a make-style dependency list names after its target, unescaped.
std::vector<std::string> Dependencies(const std::string& text) {
  std::vector<std::string> files;
  std::string file;
  for (size_t i = text.find(':') + 1; i > 0 && i < text.size(); ++i) {
    char c = text[i], next = i + 1 < text.size() ? text[i + 1] : '\0';
    if ((c == '\\' && (next == ' ' || next == '#')) || (c == '$' && next == '$')) {
      file += next;
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\n' || (c == '\\' && next == '\n')) {
      if (!file.empty()) files.push_back(file);
      file.clear();
    } else {
      file += c;
    }
  }
  if (!file.empty()) files.push_back(file);
  return files;
}

// The stamps of the compiler, its compiler proper and every header the
// precompiled one was made from; "" when one of them cannot be looked at.
std::string Made_From(const Pch_Plan& plan, const std::string& building, const std::string& deps,
                      const std::string& wrapper, std::string& why) {
  std::string out, err, text;
  Run_Kept({plan.compiler, "-print-prog-name=cc1plus"}, out, err);
  std::vector<std::string> files = {plan.compiler};
  if (First_Line(out).find_first_of("/\\") != std::string::npos) files.push_back(First_Line(out));
  if (!Read_Text_File(deps, 16 << 20, text, &why)) return "";
  for (const std::string& file : Dependencies(text))
    if (file != wrapper) files.push_back(file);
  std::string stamps = Stamp_Line(Header_In(building), &why, Header_In(plan.entry));
  for (const std::string& file : files) {
    std::string line = Stamp_Line(file, &why);
    if (line.empty()) return "";
    stamps += line;
  }
  return stamps;
}

// Makes the header in `building` for the plan, from a header in `scratch`
// that names itself after the source; `stamps` gets what it was made from.
Made Make_Header(const Pch_Plan& plan, const std::string& building, const std::string& scratch,
                 std::string& stamps, std::string& why) {
  std::string name, out, err;
  std::string wrapper = Join(scratch, "wrapper.h"), deps = Join(scratch, "deps.txt");
  if (!Marked_Name(plan, name) ||
      !Replace_Text_File(wrapper,
                         "# " + std::to_string(plan.line) + " " + name + "\n" + plan.include + "\n",
                         &why))
    return NOT_MADE;
  Program_End end =
      Run_Kept(Compiler_Words(plan, {"-x", "c++-header", wrapper, "-o", Header_In(building), "-MD",
                                     "-MF", deps, "-MT", "pch"}),
               out, err);
  // A failure may be the disk's or the system's, gone by the next compile: nothing is noted.
  if (!end.started || end.signaled || end.code != 0) return NOT_MADE;
  // A header that drew any word from g++ would lose that word in the compiles that use it.
  if (!out.empty() || !err.empty()) {
    why = "g++ 制作它时说：" + First_Line(err + out) + "（状态 " + std::to_string(end.code) + "）";
    return UNUSABLE;
  }
  // -H names the precompiled header it uses with "!": one it passes over would only cost.
  Run_Kept(Compiler_Words(plan, {"-I" + building, "-H", "-fsyntax-only", "-x", "c++", wrapper}),
           out, err);
  if (First_Line(err).compare(0, 2, "! ") != 0) {
    why = "g++ 不用它：" + First_Line(err);
    return UNUSABLE;
  }
  stamps = Made_From(plan, building, deps, wrapper, why);
  return stamps.empty() ? NOT_MADE : MADE;
}

// Removes the entries used least recently beyond the bound.
void Trim(const std::string& root) {
  struct Kept {
    long long used;
    long long size;
    std::string folder;
  };
  std::vector<Folder_Entry> listed;
  std::vector<Kept> entries;
  if (!List_Folder(root, listed)) return;
  for (const Folder_Entry& entry : listed) {
    const std::string& name = entry.name;
    if (entry.kind != ENTRY_FOLDER || name.size() != 16 ||
        name.find_first_not_of("0123456789abcdef") != std::string::npos)
      continue;
    std::string folder = Join(root, name);
    File_Stamp made, header{0, 0};
    if (!Stamp_File(Join(folder, MADE_FOR), made)) {
      Remove_Tree(folder);  // what an earlier removal left
      continue;
    }
    Stamp_File(Header_In(folder), header);
    entries.push_back({made.written, header.size, folder});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Kept& a, const Kept& b) { return a.used > b.used; });
  long long total = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    total += entries[i].size;
    if (i > 0 && (total > CACHE_BOUND || i >= MOST_ENTRIES)) Remove_Tree(entries[i].folder);
  }
}

}  // namespace

Program_End Compile_With_Pch(const std::string& compiler, const std::vector<std::string>& args,
                             std::string& out, std::string& errors, std::string* err) {
  Pch_Plan plan;
  Pch_State state = Plan_Pch(compiler, args, plan) ? Entry_State(plan) : PCH_UNUSABLE;
  if (state == PCH_READY) {
    // Should g++ fail in a way the header could have caused, its words are
    // not shown: the compile is done again without it, and that one's words
    // are g++'s answer.
    auto passes = [&](const std::string& text, const Program_End& end) {
      return !Cache_Failure(plan, text, end);
    };
    Program_End end =
        Relay_Program(With({compiler, "-I" + plan.entry}, args), out, errors, err, passes);
    if (!end.started || !Cache_Failure(plan, errors, end)) return end;
    Remove_Tree(plan.entry);
    state = PCH_MISSING;
    out.clear();
    errors.clear();
  }
  Program_End end = Relay_Program(With({compiler}, args), out, errors, err);
  std::string self = Own_Path();
  // Only now, so that preparing takes nothing from this compile.
  if (state == PCH_MISSING && end.started && !self.empty())
    Start_Background(With({self, PREPARE_WORD, compiler}, args));
  return end;
}

int Prepare_Pch(const std::string& compiler, const std::vector<std::string>& args) {
  Pch_Plan plan;
  if (!Plan_Pch(compiler, args, plan)) return 0;
  std::string root = Root_Of(plan), why, stamps;
  // One preparer at a time: one that comes while another works leaves at
  // once; a later compile starts another if the header is still missing.
  if (!Make_Folders(root.substr(0, root.rfind(SEPARATOR)), &why) ||
      !Make_Private_Folder(root, &why) || !Take_Lock(Join(root, "prepare.lock")))
    return 1;
  if (Entry_State(plan) != PCH_MISSING) return 0;
  std::string building = Join(root, "building"), scratch = Join(root, "scratch");
  // An entry made for other files, and what a preparer that was ended left.
  for (const std::string& folder : {plan.entry, building, scratch})
    if (Path_Status(folder) != PATH_MISSING) Remove_Tree(folder);
  if (!Make_Private_Folder(building, &why) || !Make_Private_Folder(Join(building, "bits"), &why) ||
      !Make_Private_Folder(scratch, &why))
    return 1;
  Made made = Make_Header(plan, building, scratch, stamps, why);
  Remove_Tree(scratch);
  if (made == UNUSABLE) {
    // Kept as a note not to try again until the compiler changes.
    Remove_Tree(Join(building, "bits"));
    stamps = Stamp_Line(compiler, &why);
  }
  std::replace(why.begin(), why.end(), '\n', ' ');
  std::string digest = made == MADE ? Header_Digest(Header_In(building)) : "";
  std::string state = made == MADE ? "ready\ndigest " + digest : "unusable: " + why;
  bool placed = made != NOT_MADE && !stamps.empty() && (made != MADE || !digest.empty()) &&
                Replace_Text_File(Join(building, MADE_FOR),
                                  state + "\n" + plan.key + "files\n" + stamps, &why) &&
                Move_Folder(building, plan.entry, &why);
  if (!placed) Remove_Tree(building);
  Trim(root);
  return placed ? 0 : 1;
}
