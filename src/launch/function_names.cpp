// Function names as a student reads them: the demangler's full names cut
// only where a reader sees a boundary (a "::", a template's brackets, the
// parameters), the library's inner types named by what they serve.
#include <vector>

#include "launch/locate.h"

namespace {

// The operators whose symbol holds a bracket that is no bracket of nesting.
const char* const OPERATORS[] = {
    "operator<=>", "operator<<=", "operator>>=", "operator->*", "operator<<",
    "operator>>",  "operator<=",  "operator>=",  "operator->",  "operator()",
    "operator[]",  "operator<",   "operator>"};

// How long the operator's own name is at `at` ("operator()" is 10); 0 for none.
size_t Operator_At(const std::string& text, size_t at) {
  for (const char* op : OPERATORS) {
    std::string name = op;
    if (text.compare(at, name.size(), name) == 0) return name.size();
  }
  return text.compare(at, 8, "operator") == 0 ? 8 : 0;
}

// The nesting depth at each character of `text`: inside how many brackets
// it lies, an operator's own name counted as outside all (-1 marks it).
std::vector<int> Depths(const std::string& text) {
  std::vector<int> depths(text.size(), 0);
  int depth = 0;
  for (size_t i = 0; i < text.size(); i++) {
    size_t op = depth == 0 ? Operator_At(text, i) : 0;
    if (op > 0) {
      for (size_t k = i; k < i + op; k++) depths[k] = -1;
      i += op - 1;
      continue;
    }
    char c = text[i];
    if ((c == '>' || c == ')' || c == ']' || c == '}') && depth > 0) depth--;
    depths[i] = depth;
    if (c == '<' || c == '(' || c == '[' || c == '{') depth++;
  }
  return depths;
}

void Erase_All(std::string& text, const std::string& noise) {
  for (size_t at; (at = text.find(noise)) != std::string::npos;) text.erase(at, noise.size());
}

// The name without its return type, parameters and what follows them.
std::string Bare_Name(std::string text) {
  std::vector<int> depths = Depths(text);
  size_t params = std::string::npos, space = std::string::npos, op = std::string::npos;
  for (size_t i = 0; i < text.size(); i++) {
    if (depths[i] == -1 && op == std::string::npos) op = i;
    if (depths[i] != 0) continue;
    if (text[i] == '(') params = i;  // the last opens the parameters
  }
  if (params != std::string::npos) text.erase(params);
  for (size_t i = 0; i < text.size() && i < op; i++)  // a template's return type goes before
    if (depths[i] == 0 && text[i] == ' ') space = i;
  if (space != std::string::npos) text.erase(0, space + 1);
  return text;
}

// The parts between top-level "::".
std::vector<std::string> Parts(const std::string& name) {
  std::vector<int> depths = Depths(name);
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < name.size(); i++) {
    if (depths[i] == 0 && name.compare(i, 2, "::") == 0) {
      parts.emplace_back();
      i++;
    } else {
      parts.back() += name[i];
    }
  }
  return parts;
}

// A part without its template arguments: its own name and, apart, the
// arguments' text.
std::string Without_Arguments(const std::string& part, std::string* arguments = nullptr) {
  size_t open = part.find('<', Operator_At(part, 0));
  if (part.compare(0, 1, "{") == 0 || part.compare(0, 1, "<") == 0 || open == std::string::npos)
    return part;
  if (arguments) *arguments = part.substr(open);
  return part.substr(0, open);
}

// A library type that a student knows by the container it serves.
std::string Known_Type(const std::string& type, const std::string& arguments) {
  bool pair = arguments.compare(0, 10, "<std::pair") == 0;
  if (type == "_Rb_tree_iterator" || type == "_Rb_tree_const_iterator")
    return pair ? "map 的迭代器" : "set 的迭代器";
  if (type == "_Node_iterator" || type == "_Node_const_iterator")
    return pair ? "unordered_map 的迭代器" : "unordered_set 的迭代器";
  if (type == "_List_iterator" || type == "_List_const_iterator") return "list 的迭代器";
  if (type == "_Deque_iterator") return "deque 的迭代器";
  if (type == "__normal_iterator")
    return arguments.find("basic_string") != std::string::npos ? "string 的迭代器"
                                                               : "vector 的迭代器";
  return "";
}

bool Is_Lambda(const std::string& part) {
  return part.compare(0, 8, "{lambda(") == 0 || part.compare(0, 8, "<lambda(") == 0;
}

// A generic lambda inlined is named by its call operator alone, with its own
// type ("main()::<lambda(auto:1&&, int)>") among the arguments: whose it is.
std::string Lambda_Owner(const std::string& arguments) {
  size_t at = arguments.find("::<lambda(");
  if (at == std::string::npos) return "";
  size_t start = arguments.find_last_of("<, ", at);
  std::string owner = arguments.substr(start + 1, at - start - 1);
  if (owner.size() > 2 && owner.compare(owner.size() - 2, 2, "()") == 0)
    owner.erase(owner.size() - 2);
  return owner;
}

}  // namespace

std::string Short_Function(const std::string& name) {
  std::string text = name;
  for (const char* noise : {"(anonymous namespace)::", "__cxx11::", "[abi:cxx11]"})
    Erase_All(text, noise);
  std::vector<std::string> parts = Parts(Bare_Name(text));
  std::string shown;
  bool after_known = false;  // `shown` ends in "的 ": the name follows as it is
  for (size_t i = 0; i < parts.size(); i++) {
    std::string arguments;
    std::string part = Without_Arguments(parts[i], &arguments);
    if (part.size() > 2 && Operator_At(part, 0) == 0 && part.compare(part.size() - 2, 2, "()") == 0)
      part.erase(part.size() - 2);  // "main()" in "main()::<lambda(int)>"
    if (parts.size() == 1 && part == "operator()" && !Lambda_Owner(arguments).empty())
      return Lambda_Owner(arguments) + " 里的 lambda";
    if (Is_Lambda(part))  // what follows is its operator(): "lambda" says it
      return (shown.empty() || after_known ? "" : shown + " 里的 ") + "lambda";
    if (part == "basic_string") part = "string";
    std::string known = Known_Type(part, arguments);
    if (!known.empty()) {
      shown = known + (i + 1 < parts.size() ? "的 " : "");
      after_known = i + 1 < parts.size();
      continue;
    }
    shown += shown.empty() || after_known ? part : "::" + part;
    after_known = false;
  }
  return shown;
}
