#include "launch/report.h"

#include <cstdint>
#include <cstdio>

#include "common/names.h"
#include "launch/explain.h"

namespace {

const int DASHES = 40;  // narrow enough for an 80-column terminal

// Windows exit codes are 32-bit and unsigned; a layer that hands one over as
// a negative int still means the same code.
long long Unsigned_Code(long long code) {
  if (code < 0 && code >= INT32_MIN) return code + 0x100000000LL;
  return code;
}

std::string Hex(long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

std::string Format_Seconds(long long us) {
  if (us < 0) us = 0;
  long long ms = (us + 500) / 1000;
  char text[40];
  std::snprintf(text, sizeof text, "%lld.%03lld", ms / 1000, ms % 1000);
  return text;
}

std::string Format_Megabytes(long long bytes) {
  char text[40];
  if (bytes % (1 << 20) == 0)
    std::snprintf(text, sizeof text, "%lld", bytes >> 20);
  else
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / (1 << 20));
  return text;
}

std::string End_Words(const Program_End& end, const std::string& signal_name,
                      std::string& explanation) {
  if (end.signaled) {
    std::string name = signal_name.empty() ? "" : "，" + signal_name;
    explanation = Explain_Signal(signal_name);
    return "程序被信号 " + std::to_string(end.code) + "（" + Hex(end.code) + name + "）终止";
  }
  long long code = Unsigned_Code(end.code);
  explanation = Explain_Exit_Code(code);
  std::string value = std::to_string(code);
  // Past 2^31 a value is a crash status, which is looked up by its hex form.
  if (!explanation.empty() || code >= 0x80000000LL) value += "（" + Hex(code) + "）";
  return "程序已结束，返回值 " + value;
}

std::string End_Line(const Program_End& end, long long us, const std::string& signal_name,
                     std::string& explanation) {
  return End_Words(end, signal_name, explanation) + "，用时 " + Format_Seconds(us) + " 秒。";
}

std::string End_Report(const Program_End& end, long long us, const std::string& signal_name) {
  std::string explanation;
  std::string line = End_Line(end, us, signal_name, explanation);
  std::string report = "\n" + std::string(DASHES, '-') + "\n" + line + "\n";
  if (!explanation.empty()) report += explanation + "\n";
  return report;
}

int Exit_Status(const Program_End& end) {
  if (end.signaled) return static_cast<int>(128 + end.code);
  return static_cast<int32_t>(static_cast<uint32_t>(Unsigned_Code(end.code)));
}

std::string Cannot_Start_Line(const std::string& path, const std::string& reason) {
  return "无法启动程序 " + Shown_Path(path) + "：" + reason + "。\n";
}
