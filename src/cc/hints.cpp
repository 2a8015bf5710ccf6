#include "cc/hints.h"

#include <cctype>

#include "cc/causes.h"
#include "cc/locate.h"
#include "cc/match.h"
#include "cc/phrase.h"
#include "cc/records.h"

namespace {

// Options whose value is the next word, which is then no source file.
const char* const TAKES_VALUE[] = {"-o", "-I",  "-L",  "-l",  "-D",       "-U",     "-include",
                                   "-x", "-MF", "-MT", "-MQ", "-isystem", "-iquote"};

bool Is_Source_Name(const std::string& word) {
  size_t dot = word.rfind('.');
  if (dot == std::string::npos || word.empty() || word[0] == '-') return false;
  std::string extension = word.substr(dot + 1);
  if (extension == "C") return true;
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* known : {"cpp", "cc", "cxx", "c++", "cp", "c"})
    if (extension == known) return true;
  return false;
}

}  // namespace

std::vector<std::string> Source_Paths(const std::vector<std::string>& args) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < args.size(); ++i) {
    bool value = false;
    for (const char* option : TAKES_VALUE) value = value || args[i] == option;
    if (value)
      ++i;
    else if (Is_Source_Name(args[i]))
      paths.push_back(args[i]);
  }
  return paths;
}

std::string Output_Name(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) return Base_Name(args[i + 1]);
    if (args[i].size() > 2 && args[i].compare(0, 2, "-o") == 0) return Base_Name(args[i].substr(2));
  }
  return "";
}

std::string Hints(const std::vector<std::string>& args, const std::string& output, bool failed,
                  const std::vector<Source>& sources) {
  std::vector<Record> records = Read_Records(output);
  std::vector<std::string> names;
  for (const Source& source : sources) names.push_back(source.name);
  Trace_To_User(records, names);
  std::vector<Cause> causes = Group_Causes(records, sources, failed);
  std::vector<Placed> placed;
  std::vector<const Cause*> unexplained;
  std::string exe = Output_Name(args);
  for (const Cause& cause : causes) {
    Placed p;
    if (Locate(cause, Match_Cause(cause, records, sources), records, sources, exe, p))
      placed.push_back(p);
    else
      unexplained.push_back(&cause);
  }
  return Phrase_Hints(placed, unexplained, records);
}
