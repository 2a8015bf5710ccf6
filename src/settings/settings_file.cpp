#include "settings/settings_file.h"

std::string Settings_Text(const Settings_Values& values) {
  return values.com_path + "\n" + values.lau_path + "\n" + values.us_path + "\n" +
         values.com_settings + "\n" + (values.slowsay ? "1" : "0");
}

namespace {
bool Is_Space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The fifth value is read as a number: "0" is off, any other integer on, text
// off, and nothing at all leaves it as it is.
void Read_Slowsay(const std::string& text, std::string::size_type pos, bool& slowsay) {
  while (pos < text.size() && Is_Space(text[pos])) pos++;
  if (pos == text.size()) return;
  if (text[pos] == '+' || text[pos] == '-') pos++;
  bool digits = false, nonzero = false;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; pos++) {
    digits = true;
    if (text[pos] != '0') nonzero = true;
  }
  slowsay = digits && nonzero;
}
}  // namespace

Settings_Values Read_Settings(const std::string& text) {
  Settings_Values values;
  std::string* lines[] = {&values.com_path, &values.lau_path, &values.us_path,
                          &values.com_settings};
  std::string::size_type pos = 0;
  for (std::string* line : lines) {
    if (pos >= text.size()) return values;
    std::string::size_type end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    *line = text.substr(pos, end - pos);
    pos = end + 1;
  }
  if (pos < text.size()) Read_Slowsay(text, pos, values.slowsay);
  return values;
}
