#include "settings/settings_file.h"

#include "settings/settings.h"

std::string Settings_Text() {
  std::string text;
  for (const Setting& s : SETTING_TABLE)
    text += s.kind == SETTING_SWITCH ? (*s.on ? "1" : "0") : *s.text + "\n";
  return text;
}

namespace {
bool Is_Space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// A switch is read as a number: "0" is off, any other integer on, text off,
// and nothing at all leaves it as it is. It is the file's last value, so it
// may be preceded by blank lines and followed by anything.
void Read_Switch(const std::string& text, std::string::size_type pos, bool& on) {
  while (pos < text.size() && Is_Space(text[pos])) pos++;
  if (pos == text.size()) return;
  if (text[pos] == '+' || text[pos] == '-') pos++;
  bool digits = false, nonzero = false;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; pos++) {
    digits = true;
    if (text[pos] != '0') nonzero = true;
  }
  on = digits && nonzero;
}
}  // namespace

void Load_Settings(const std::string& text) {
  std::string::size_type pos = 0;
  for (const Setting& s : SETTING_TABLE) {
    if (pos >= text.size()) return;
    if (s.kind == SETTING_SWITCH) {
      Read_Switch(text, pos, *s.on);
      return;
    }
    std::string::size_type end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    *s.text = text.substr(pos, end - pos);
    pos = end + 1;
  }
}
