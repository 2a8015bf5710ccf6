#include "launch/static_data.h"

#include "launch/report.h"
#include "launch/sections.h"
#include "launch/verdict.h"
#include "platform/platform.h"

namespace {

const size_t PROGRAM_MOST = 256u << 20;  // more than any contest program's file

std::string Sizes(long long data, long long limit) {
  return "全局变量和数组共 " + Format_Megabytes(data) + " MB，超过了 " + Format_Megabytes(limit) +
         " MB 的内存限制";
}

}  // namespace

long long Static_Data_Bytes(const std::string& bytes) {
  std::vector<Section> sections;
  if (!Read_Sections(bytes, sections)) return -1;
  unsigned long long total = 0;
  for (const Section& section : sections)
    if (section.data) total += section.memory;
  return static_cast<long long>(total);
}

long long Static_Data_Past(const std::string& program, long long limit) {
  std::string bytes;
  if (!Read_Bytes(program, PROGRAM_MOST, bytes)) return 0;
  long long data = Static_Data_Bytes(bytes);
  return data > limit ? data : 0;
}

std::string Static_Data_Lines(const std::vector<Sample>& samples, long long data, long long limit) {
  std::string lines;
  for (const Sample& sample : samples) {
    lines += "样例 " + sample.number + "：MLE 超出内存限制，" + Sizes(data, limit) +
             "，程序没有运行。\n";
    if (&sample == &samples.front())
      lines +=
          "  全局变量和数组在程序开始运行时就要占用内存：按程序的地址空间限制内存的评测（例如 NOI "
          "Linux 上的评测、Lemon）不会运行它，即使数组只用到一小部分。请按题目的数据范围开数组。\n";
  }
  return lines + Summary_Line(0, static_cast<int>(samples.size()));
}

std::string Static_Data_Stress_Line(const std::string& name, long long data, long long limit) {
  return "没有对拍：" + name + " 的" + Sizes(data, limit) +
         "，评测时它不会运行。请按题目的数据范围开数组。\n";
}
