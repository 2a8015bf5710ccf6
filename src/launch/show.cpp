#include "launch/show.h"

#include <cstdio>
#include <deque>

#include "console/text.h"
#include "platform/platform.h"

namespace {

const std::string MORE = "…";  // where text was left out; two columns
const int MORE_WIDTH = 2;

// Bytes the GBK character at `i` takes.
size_t GBK_Length(const std::string& s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x81 || c == 0xFF || i + 1 >= s.size()) return 1;
  unsigned char t = static_cast<unsigned char>(s[i + 1]);
  return t >= 0x40 && t <= 0xFE && t != 0x7F ? 2 : 1;
}

std::string Escape(unsigned char c) {
  if (c == '\t') return "\\t";
  if (c == '\r') return "\\r";
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", c);
  return text;
}

// How the character of `size` bytes at `at` is shown.
std::string Shown(const std::string& s, size_t at, size_t size, bool gbk) {
  unsigned char c = static_cast<unsigned char>(s[at]);
  if (size == 1) return c < 0x20 || c >= 0x7F ? Escape(c) : std::string(1, s[at]);
  std::string text;
  if (!gbk || Decode_GBK(s.substr(at, size), text)) return gbk ? text : s.substr(at, size);
  return Escape(c) + Escape(static_cast<unsigned char>(s[at + 1]));
}

// Columns a character takes, without decoding it.
int Columns(const std::string& s, size_t at, size_t size) {
  if (size > 1) return 2;
  unsigned char c = static_cast<unsigned char>(s[at]);
  return c == '\t' || c == '\r' ? 2 : c < 0x20 || c >= 0x7F ? 4 : 1;
}

}  // namespace

std::string Show_Line(const std::string& line, size_t focus, int columns) {
  if (columns < 10) columns = 10;
  bool gbk = !Is_UTF8(line);
  auto length = [&](size_t i) { return gbk ? GBK_Length(line, i) : UTF8_Length(line, i); };
  // The characters just before the focus that fill a third of the line.
  std::deque<std::pair<size_t, int>> recent;
  int before = 0, recent_width = 0;
  size_t i = 0;
  for (; i < line.size() && i < focus; i += length(i)) {
    int w = Columns(line, i, length(i));
    before += w;
    recent.push_back({i, w});
    recent_width += w;
    while (recent_width > columns / 3) {
      recent_width -= recent.front().second;
      recent.pop_front();
    }
  }
  size_t start = before <= columns * 2 / 3 ? 0 : recent.empty() ? i : recent.front().first;
  std::string shown = start > 0 ? MORE : "";
  int used = start > 0 ? MORE_WIDTH : 0;
  for (i = start; i < line.size(); i += length(i)) {
    std::string piece = Shown(line, i, length(i), gbk);
    int w = Display_Width(piece);
    bool last = i + length(i) >= line.size();
    if (used + w > columns - (last ? 0 : MORE_WIDTH)) return shown + MORE;
    shown += piece;
    used += w;
  }
  return shown;
}
