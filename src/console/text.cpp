#include "console/text.h"

#include <cstring>

int Display_Width(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c < 0x80)
      width += 1;
    else if (c >= 0xC0)  // the first byte of a wide character; continuation bytes add nothing
      width += 2;
  }
  return width;
}

size_t UTF8_Length(const std::string& text, size_t at) {
  unsigned char c = static_cast<unsigned char>(text[at]);
  size_t length = c < 0x80                 ? 1
                  : c >= 0xC2 && c <= 0xDF ? 2
                  : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4
                                           : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  // Overlong forms and surrogates are not characters.
  int code = Code_Point(text, at, length);
  if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
      (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
    return 0;
  return length;
}

bool Is_UTF8(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = UTF8_Length(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

int Code_Point(const std::string& text, size_t at, size_t length) {
  static const unsigned char LEAD_MASK[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  int code = static_cast<unsigned char>(text[at]) & LEAD_MASK[length];
  for (size_t i = 1; i < length; ++i)
    code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

bool Starts_With(const std::string& text, size_t at, const char* head) {
  return text.compare(at, std::strlen(head), head) == 0;
}

bool Ends_In(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> Split_Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}
