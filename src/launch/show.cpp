#include "launch/show.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "console/text.h"
#include "platform/platform.h"

namespace {

const std::string MORE = "…";  // where text was left out; two columns
const int MORE_WIDTH = 2;

struct Hidden_Range {
  int first, last;
  const char* name;
};

const Hidden_Range HIDDEN[] = {
    {0x0080, 0x009F, "控制字符"},       {0x00A0, 0x00A0, "不换行空格"},
    {0x00AD, 0x00AD, "软连字符"},       {0x061C, 0x061C, "文字方向标记"},
    {0x1680, 0x1680, "特殊宽度的空格"}, {0x180E, 0x180E, "蒙古文元音分隔符"},
    {0x2000, 0x200A, "特殊宽度的空格"}, {0x200B, 0x200B, "零宽空格"},
    {0x200C, 0x200C, "零宽不连字"},     {0x200D, 0x200D, "零宽连字"},
    {0x200E, 0x200F, "文字方向标记"},   {0x2028, 0x2029, "行分隔符"},
    {0x202A, 0x202E, "文字方向控制符"}, {0x202F, 0x202F, "窄不换行空格"},
    {0x205F, 0x205F, "数学空格"},       {0x2060, 0x2064, "不可见的格式字符"},
    {0x2066, 0x2069, "文字方向控制符"}, {0x206A, 0x206F, "不可见的格式字符"},
    {0x3000, 0x3000, "全角空格"},       {0x3164, 0x3164, "朝鲜文填充符"},
    {0xFE00, 0xFE0F, "变体选择符"},     {0xFEFF, 0xFEFF, "零宽不换行空格（BOM）"},
    {0xFFF9, 0xFFFB, "不可见的注释符"},
};

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

// A UTF-8 character as it is shown: itself, or its code when it is hidden.
std::string Shown_UTF8(const std::string& character) {
  int code = Code_Point(character, 0, character.size());
  return Hidden_Name(code).empty() ? character : Hidden_Text(code);
}

// How the character of `size` bytes at `at` is shown.
std::string Shown(const std::string& s, size_t at, size_t size, bool gbk) {
  unsigned char c = static_cast<unsigned char>(s[at]);
  if (size == 1) return c < 0x20 || c >= 0x7F ? Escape(c) : std::string(1, s[at]);
  std::string text;
  if (!gbk) return Shown_UTF8(s.substr(at, size));
  if (Decode_GBK(s.substr(at, size), text)) return Shown_UTF8(text);
  return Escape(c) + Escape(static_cast<unsigned char>(s[at + 1]));
}

}  // namespace

std::string Hidden_Name(int code_point) {
  for (const Hidden_Range& range : HIDDEN)
    if (code_point >= range.first && code_point <= range.last) return range.name;
  return "";
}

std::string Hidden_Text(int code_point) {
  char text[16];
  std::snprintf(text, sizeof text, "<U+%04X>", static_cast<unsigned>(code_point));
  return text;
}

std::vector<int> Hidden_Characters(const std::string& line) {
  std::vector<int> found;
  bool gbk = !Is_UTF8(line);
  size_t size = 1;
  for (size_t i = 0; i < line.size(); i += size) {
    size = gbk ? GBK_Length(line, i) : UTF8_Length(line, i);
    if (size == 1) continue;
    std::string character = line.substr(i, size);
    if (gbk && !Decode_GBK(line.substr(i, size), character)) continue;
    int code = Code_Point(character, 0, character.size());
    if (!Hidden_Name(code).empty() && std::find(found.begin(), found.end(), code) == found.end())
      found.push_back(code);
  }
  return found;
}

Encoding Encoding_Of(const std::string& text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
    return ENCODING_ASCII;
  std::string decoded;
  if (Is_UTF8(text)) return ENCODING_UTF8;
  return Decode_GBK(text, decoded) ? ENCODING_GBK : ENCODING_OTHER;
}

std::string Show_Line(const std::string& line, size_t focus, int columns) {
  if (columns < 10) columns = 10;
  bool gbk = !Is_UTF8(line);
  auto length = [&](size_t i) { return gbk ? GBK_Length(line, i) : UTF8_Length(line, i); };
  auto width = [&](size_t i) { return Display_Width(Shown(line, i, length(i), gbk)); };
  // The characters just before the focus that fill a third of the line.
  std::deque<std::pair<size_t, int>> recent;
  int before = 0, recent_width = 0;
  size_t i = 0;
  for (; i < line.size() && i < focus; i += length(i)) {
    int w = width(i);
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
