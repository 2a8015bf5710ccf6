#include "launch/receive_problem.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "common/names.h"
#include "console/text.h"

const size_t RECEIVED_MOST = 8u << 20;

namespace {

using Json = nlohmann::json;

// Reads the string `key` of `object` into `value`; false, with why, when it
// is missing (and `needed`) or no string.
bool Text_Of(const Json& object, const char* key, bool needed, std::string& value, std::string& why,
             const std::string& what) {
  if (!object.contains(key)) {
    if (needed) why = "缺少“" + std::string(key) + "”（" + what + "）";
    return !needed;
  }
  if (!object.at(key).is_string()) {
    why = "“" + std::string(key) + "”（" + what + "）不是文字";
    return false;
  }
  value = object.at(key).get<std::string>();
  return true;
}

// A limit in `value` when it lies within what the launcher judges by,
// `least` to `most`; 0 with a note when it does not, as a judge that sets
// none sends 0. False, with why, when it is missing or no number.
bool Limit_Of(const Json& object, const char* key, double least, double most, double& value,
              std::string& why, std::vector<std::string>& notes, const std::string& what) {
  if (!object.contains(key) || !object.at(key).is_number()) {
    why = (object.contains(key) ? "“" : "缺少“") + std::string(key) + "”（" + what +
          (object.contains(key) ? "）不是数" : "）");
    return false;
  }
  // To three decimals, as X.cpp writes them.
  double sent = std::round(object.at(key).get<double>() * 1000) / 1000;
  value = sent >= least && sent <= most ? sent : 0;
  if (value == 0 && sent != 0)
    notes.push_back("题目的" + what + "超出了启动器能评测的范围，没有写进源文件，评测时按默认值");
  return true;
}

// The file named by an input or output object: "" for standard input or
// output; false, with why, for a name that cannot be a file here.
bool File_Of(const Json& object, const char* key, std::string& file, std::string& why,
             std::string& note) {
  if (!object.contains(key)) return true;
  const Json& io = object.at(key);
  std::string type, what = std::string(key) == "input" ? "输入" : "输出";
  if (!io.is_object() || !Text_Of(io, "type", true, type, why, what + "方式")) {
    if (why.empty()) why = "“" + std::string(key) + "”（" + what + "方式）不是对象";
    return false;
  }
  if (type == "regex") {
    note = "这道题的输入文件由规则给出，不是一个文件名：样例按标准输入评测";
    return true;
  }
  if (type != "file") return true;
  if (!Text_Of(io, "fileName", true, file, why, what + "文件名")) return false;
  if (Safe_File_Name(file)) return true;
  why = what + "文件名“" + file + "”不能用作文件名";
  return false;
}

// Where the body stops being UTF-8; npos when it is UTF-8 throughout.
size_t Not_UTF8_At(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = UTF8_Length(text, at);
    if (length == 0) return at;
    at += length;
  }
  return std::string::npos;
}

bool Samples_Of(const Json& object, Received_Problem& problem, std::string& why) {
  if (!object.contains("tests") || !object.at("tests").is_array()) {
    why = object.contains("tests") ? "“tests”（样例）不是数组" : "缺少“tests”（样例）";
    return false;
  }
  for (const Json& test : object.at("tests")) {
    std::string number = "样例 " + std::to_string(problem.samples.size() + 1);
    Received_Sample sample;
    if (!test.is_object()) {
      why = number + " 不是对象";
      return false;
    }
    if (!Text_Of(test, "input", true, sample.input, why, number + " 的输入") ||
        !Text_Of(test, "output", true, sample.answer, why, number + " 的答案"))
      return false;
    if ((sample.input + sample.answer).find('\0') != std::string::npos) {
      why = number + " 里有 NUL 字符（\\u0000），不是文本";
      return false;
    }
    problem.samples.push_back(sample);
  }
  return true;
}

bool Has_Control(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// The problem's name may become the name of its files, and its name, contest
// and page stand in comments: a name that would lead out of the folder or to
// a device, or a line end that would end a comment, is refused.
bool Plain_Name(const Received_Problem& problem, std::string& why) {
  if (problem.name.empty())
    why = "题目名称是空的";
  else if (Has_Control(problem.name + problem.group + problem.url))
    why = "题目名称、比赛或网址里有换行或其他控制字符";
  else if (problem.name.find_first_of("/\\") != std::string::npos)
    why = "题目名称“" + problem.name + "”里有路径分隔符（/ 或 \\）";
  else if (Device_Name(problem.name))
    why = "题目名称“" + problem.name + "”是 Windows 留给设备的名字，不能用作文件名";
  return why.empty();
}

}  // namespace

bool Device_Name(const std::string& name) {
  static const char* const DEVICES[] = {"con", "prn", "aux", "nul"};
  std::string device = Lower(name.substr(0, name.find('.')));
  while (!device.empty() && device.back() == ' ') device.pop_back();  // Windows drops them
  for (const char* reserved : DEVICES)
    if (device == reserved) return true;
  // COM1 to COM9 and LPT1 to LPT9.
  return device.size() == 4 &&
         (device.compare(0, 3, "com") == 0 || device.compare(0, 3, "lpt") == 0) &&
         device[3] >= '1' && device[3] <= '9';
}

bool Safe_File_Name(const std::string& name) {
  if (name.empty() || name.size() > 64 || name[0] == '.' || name.back() == '.') return false;
  for (char c : name)
    if (!Word_Char(c) && c != '.' && c != '-') return false;
  return !Device_Name(name);
}

bool Read_Problem(const std::string& body, Received_Problem& problem, std::string& why) {
  problem = Received_Problem{};
  size_t bad = Not_UTF8_At(body);
  if (bad != std::string::npos) {
    why = "内容的第 " + std::to_string(bad + 1) + " 个字节不是 UTF-8 文字";
    return false;
  }
  Json object;
  try {
    object = Json::parse(body);
  } catch (const Json::parse_error& e) {
    why = "内容不是有效的 JSON（第 " + std::to_string(e.byte) + " 个字节附近有错）";
    return false;
  }
  if (!object.is_object()) {
    why = "内容不是一道题目（JSON 对象）";
    return false;
  }
  std::string note;
  if (!Text_Of(object, "name", true, problem.name, why, "题目名称") ||
      !Text_Of(object, "url", true, problem.url, why, "题目网址") ||
      !Text_Of(object, "group", false, problem.group, why, "比赛") ||
      !Limit_Of(object, "timeLimit", 1, 3600000, problem.time_ms, why, problem.notes, "时间限制") ||
      !Limit_Of(object, "memoryLimit", 1, 65536, problem.memory_mb, why, problem.notes,
                "内存限制") ||
      !File_Of(object, "input", problem.input_file, why, note) ||
      !File_Of(object, "output", problem.output_file, why, note) ||
      !Samples_Of(object, problem, why))
    return false;
  if (!Plain_Name(problem, why)) return false;
  problem.time_ms = std::round(problem.time_ms);  // X.cpp says seconds to three decimals
  if (!note.empty()) problem.notes.push_back(note);
  problem.interactive = object.contains("interactive") && object.at("interactive").is_boolean() &&
                        object.at("interactive").get<bool>();
  const Json* batch = object.contains("batch") ? &object.at("batch") : nullptr;
  if (batch && batch->is_object() && batch->contains("id") && batch->at("id").is_string() &&
      batch->contains("size") && batch->at("size").is_number_integer()) {
    problem.batch = batch->at("id").get<std::string>();
    problem.batch_size = batch->at("size").get<long long>();
  }
  return true;
}
