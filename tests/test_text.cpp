#include "test_text.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

std::string Escaped(const std::string& text) {
  static const char HEX[] = "0123456789abcdef";
  std::string out;
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (c == '\n')
      out += "\\n\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\x1b')
      out += "\\e";
    else if (b < 0x20 || b == 0x7f)
      out += std::string("\\x") + HEX[b >> 4] + HEX[b & 15];
    else
      out += c;
  }
  return out;
}

std::string Read_File_Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void Write_File_Bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

::testing::AssertionResult Ends_With(const std::string& text, const std::string& tail) {
  if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "expected the end: " << Escaped(tail) << "\nbut the text was: " << Escaped(text);
}

bool Wait_Until(const std::function<bool()>& done, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string Wait_For_File(const std::string& path, bool (*done)(const std::string&),
                          int timeout_ms) {
  std::string text;
  Wait_Until([&] { return done(text = Read_File_Bytes(path)); }, timeout_ms);
  return text;
}

bool Whole_Lines(const std::string& text) {
  return !text.empty() && text.back() == '\n';
}
