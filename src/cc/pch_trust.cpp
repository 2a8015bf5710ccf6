// What the cache trusts and what it blames itself for: a header is served
// only while it has the digest it was made with, and a compile that fails in
// a way the header could have caused is done again without it.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cc/pch.h"
#include "cc/records.h"

// A digest of every byte of the header, in one pass of 8-byte words: the
// header is read anyway by the compile it serves, and this costs far less.
std::string Header_Digest(const std::string& path) {
  uint64_t lanes[2] = {0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL}, length = 0, count = 0;
  auto mix = [&](uint64_t word) {
    uint64_t& lane = lanes[count++ & 1];
    lane = ((lane ^ word) * 0x100000001B3ULL) ^ (lane >> 29);
  };
  std::string carry;
  bool read = Read_Chunks(path, [&](const char* bytes, size_t n) {
    length += n;
    size_t at = 0;
    while (!carry.empty() && carry.size() < 8 && at < n) carry += bytes[at++];
    uint64_t word;
    if (carry.size() == 8) {
      std::memcpy(&word, carry.data(), 8);
      mix(word);
      carry.clear();
    }
    for (; at + 8 <= n; at += 8) {
      std::memcpy(&word, bytes + at, 8);
      mix(word);
    }
    carry.append(bytes + at, n - at);
    return true;
  });
  if (!read) return "";
  carry.resize(8, '\0');
  uint64_t word;
  std::memcpy(&word, carry.data(), 8);
  mix(word);
  mix(length);
  char text[40];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(lanes[0]),
                static_cast<unsigned long long>(lanes[1]));
  return text;
}

bool Pch_Refused(const Pch_Plan& plan, const std::string& first_line) {
  std::string lower = first_line;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower.find("pch") != std::string::npos) return true;
  std::vector<Record> read = Read_Records(first_line);
  return !read.empty() && read[0].file == plan.source && read[0].line == plan.line;
}

namespace {

// The line without its colour escapes, in lower case.
std::string Plain_Lower(const std::string& line) {
  std::string plain;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\x1b') {
      while (i < line.size() && !std::isalpha(static_cast<unsigned char>(line[i]))) ++i;
      continue;
    }
    plain += static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
  }
  return plain;
}

// A line of the student's source that g++ shows under a message ("   5 |   char* pch;"),
// or the marks under it: their words are the student's, not g++'s.
bool Source_Shown(const std::string& plain) {
  size_t at = plain.find_first_not_of(" 0123456789");
  return at != std::string::npos && plain[at] == '|';
}

// Whether g++'s own words on the line speak of a precompiled header or of a
// failure within itself.
bool Blames_Header(const std::string& plain) {
  for (const char* said :
       {"internal compiler error", "内部编译器错误", "precompiled", "预编译", ".gch"})
    if (plain.find(said) != std::string::npos) return true;
  // "PCH", "gt_pch_use_address", not "epoch".
  for (size_t at = plain.find("pch"); at != std::string::npos; at = plain.find("pch", at + 1))
    if ((at == 0 || !std::isalpha(static_cast<unsigned char>(plain[at - 1]))) &&
        (at + 3 == plain.size() || !std::isalpha(static_cast<unsigned char>(plain[at + 3]))))
      return true;
  return false;
}

}  // namespace

bool Cache_Failure(const Pch_Plan& plan, const std::string& errors, const Program_End& end) {
  if (end.started && !end.signaled && end.code == 0) return false;
  // Ctrl+C is the student's, not a fault; a crash's status on Windows is past 255.
  if ((end.signaled && Signal_Name(static_cast<int>(end.code)) != "SIGINT") || end.code > 255)
    return true;
  for (size_t at = 0; at < errors.size();) {
    size_t next = std::min(errors.find('\n', at), errors.size());
    std::string plain = Plain_Lower(errors.substr(at, next - at));
    if (!Source_Shown(plain) && Blames_Header(plain)) return true;
    at = next + 1;
  }
  return errors.find(plan.entry) != std::string::npos ||
         Pch_Refused(plan, errors.substr(0, errors.find('\n')));
}
