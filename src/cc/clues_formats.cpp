// Clues for a scanf or printf whose format does not fit its argument:
// which mismatch it is, told by the two types GCC names.
#include <cstdlib>

#include "cc/clues.h"
#include "console/text.h"  // Ends_In

namespace {

struct Format_For {
  const char* type;   // as GCC names it
  const char* read;   // the format scanf wants for a pointer to it
  const char* write;  // the format printf wants for it
};

const Format_For FORMATS[] = {
    {"int", "%d", "%d"},
    {"long long int", "%lld", "%lld"},
    {"double", "%lf", "%f（或 %lf）"},
    {"float", "%f", "%f"},
    {"char", "%c", "%c"},
    {"long int", "%ld", "%ld"},
    {"unsigned int", "%u", "%u"},
    {"long unsigned int", "%lu", "%lu"},
    {"long long unsigned int", "%llu", "%llu"},
    {"short int", "%hd", "%hd"},
    {"long double", "%Lf", "%Lf"},
    {"char*", "%s", "%s"},
};

std::string Without_Star(const std::string& type) {
  return Ends_In(type, "*") ? type.substr(0, type.size() - 1) : type;
}

}  // namespace

bool Format(const Clue_Input& in, Clue clue, Finding& f) {
  const std::vector<std::string>& w = in.candidate.words;
  if (w.size() < 4) return false;
  const std::string &wanted = w[1], &given = w[3];
  bool reads = Ends_In(wanted, "*");
  int argument = std::atoi(w[2].c_str());
  f.line = in.line;
  f.values["arg"] = std::to_string(argument > 1 ? argument - 1 : argument);
  std::string base = Without_Star(wanted);
  bool promoted = given == "int" && (base == "char" || base == "short int" ||
                                     base == "signed char" || base == "unsigned char");
  switch (clue) {
    case FORMAT_NO_AMP:
      return reads && (given == base || promoted);
    case FORMAT_AMP:
      return !reads && given == wanted + "*";
    case FORMAT_ARRAY_AMP:
      return wanted == "char*" && given.compare(0, 9, "char (*)[") == 0;
    case FORMAT_STRING:
      return given.find("string") != std::string::npos && w[0].find('s') != std::string::npos;
    default:
      break;
  }
  // A format for another type: the one its variable wants.
  std::string type = reads ? Without_Star(given) : given;
  // scanf wants pointers; printf none but a string's.
  if (reads ? !Ends_In(given, "*") : Ends_In(given, "*") && given != "char*") return false;
  for (const Format_For& format : FORMATS)
    if (type == format.type) {
      f.values["type"] = type;
      f.values["right"] = reads ? format.read : format.write;
      if (!reads && type == "int" && (base == "double" || base == "float"))
        f.values["right"] = "%d；想输出小数，要先把它变成小数，例如 1.0 * a / b";
      return true;
    }
  return false;
}
