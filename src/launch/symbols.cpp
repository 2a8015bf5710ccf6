#include "launch/symbols.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "console/text.h"
#include "platform/platform.h"

namespace {

const size_t ADDRESSES_AT_ONCE = 200;  // keeps each command line short

// "a.cpp:12", "a.cpp:12 (discriminator 1)", "??:0" or "??:?"; a Windows
// file name has a colon of its own, so the line is after the last one.
Source_Place Place_Of(const std::string& function, const std::string& location) {
  Source_Place place{function == "??" ? "" : function, "", 0};
  std::string where = location.substr(0, location.find(" ("));
  size_t colon = where.rfind(':');
  if (colon == std::string::npos) return place;
  std::string file = where.substr(0, colon), line = where.substr(colon + 1);
  if (file == "??" || file.empty()) return place;
  place.file = File_Name_Text(file);
  if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
    place.line = std::atoi(line.c_str());
  return place;
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

// addr2line names an inlined function that has no linkage name (a static
// one) by the symbol of the function it was inlined into: that name is no
// name of its own, and is forgotten.
void Forget_Borrowed_Names(Inline_Chain& chain) {
  for (size_t k = 0; k + 1 < chain.size(); k++)
    if (chain[k].function == chain.back().function) chain[k].function.clear();
}

}  // namespace

std::string File_Name_Text(const std::string& bytes) {
  std::string text;
  if (!Is_UTF8(bytes) && Decode_GBK(bytes, text)) return text;
  text.clear();
  for (size_t at = 0; at < bytes.size();) {
    size_t length = UTF8_Length(bytes, at);
    unsigned char c = static_cast<unsigned char>(bytes[at]);
    if (length > 0 && c >= 0x20 && c != 0x7f) {
      text += bytes.substr(at, length);
      at += length;
      continue;
    }
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", c);
    text += code;
    at++;
  }
  return text;
}

std::vector<Inline_Chain> Parse_Places(const std::string& answer) {
  std::vector<Inline_Chain> chains;
  std::vector<std::string> lines = Split_Lines(answer);
  for (size_t i = 0; i < lines.size(); i++) {
    if (lines[i].compare(0, 2, "0x") == 0) {
      if (!chains.empty()) Forget_Borrowed_Names(chains.back());
      chains.emplace_back();
    } else if (!chains.empty() && i + 1 < lines.size()) {
      chains.back().push_back(Place_Of(lines[i], lines[i + 1]));
      i++;
    }
  }
  if (!chains.empty()) Forget_Borrowed_Names(chains.back());
  return chains;
}

bool Read_Places(const std::string& tool, const std::string& module,
                 const std::vector<unsigned long long>& addresses,
                 std::vector<Inline_Chain>& chains, std::string* err) {
  chains.clear();
  for (size_t first = 0; first < addresses.size(); first += ADDRESSES_AT_ONCE) {
    std::vector<std::string> argv = {tool, "-a", "-f", "-i", "-C", "-e", module};
    size_t last = std::min(addresses.size(), first + ADDRESSES_AT_ONCE);
    for (size_t i = first; i < last; i++) argv.push_back(Hex(addresses[i]));
    std::string answer;
    Program_End end = Run_Quietly(argv, answer);
    std::vector<Inline_Chain> part = Parse_Places(answer);
    if (!end.started || part.size() != last - first) {
      if (err) *err = end.started ? tool + " 的回答看不懂" : "无法运行 " + tool;
      return false;
    }
    chains.insert(chains.end(), part.begin(), part.end());
  }
  return true;
}
