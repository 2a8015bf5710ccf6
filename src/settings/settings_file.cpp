#include "settings/settings_file.h"

#include "settings/settings.h"

std::string Settings_Text() {
  return COM_PATH + "\n" + LAU_PATH + "\n" + US_PATH + "\n" + COM_SETTINGS + "\n" +
         (SLOWSAY ? "1" : "0");
}

namespace {
bool Is_Space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The fifth value is read as a number: "0" is off, any other integer on, text
// off, and nothing at all leaves it as it is.
void Load_Slowsay(const std::string& text, std::string::size_type pos) {
  while (pos < text.size() && Is_Space(text[pos])) pos++;
  if (pos == text.size()) return;
  if (text[pos] == '+' || text[pos] == '-') pos++;
  bool digits = false, nonzero = false;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; pos++) {
    digits = true;
    if (text[pos] != '0') nonzero = true;
  }
  SLOWSAY = digits && nonzero;
}
}  // namespace

void Load_Settings(const std::string& text) {
  std::string* lines[] = {&COM_PATH, &LAU_PATH, &US_PATH, &COM_SETTINGS};
  std::string::size_type pos = 0;
  for (std::string* line : lines) {
    if (pos >= text.size()) return;
    std::string::size_type end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    *line = text.substr(pos, end - pos);
    pos = end + 1;
  }
  if (pos < text.size()) Load_Slowsay(text, pos);
}
