#include "launch/receive_files.h"

#include <cmath>
#include <vector>

#include "common/names.h"
#include "console/text.h"
#include "launch/limits.h"
#include "platform/platform.h"

namespace {

const size_t STEM_MOST = 40;         // bytes of a name made from the problem's name
const int OTHER_PROBLEMS_MOST = 20;  // X_2 … X_20 for problems that share a name
const std::string SOURCE_LINE = "// 来源：";

// The text as a name of files: ASCII letters, digits, '_' and '-', any run
// of other characters one '_'; "" when nothing of it is left.
std::string Clean_Name(const std::string& text) {
  std::string name;
  for (char c : text) {
    bool kept = Word_Char(c) || c == '-';
    if (kept)
      name += c;
    else if (!name.empty() && name.back() != '_')
      name += '_';
    if (name.size() >= STEM_MOST) break;
  }
  while (!name.empty() && (name.back() == '_' || name.back() == '-')) name.pop_back();
  return name;
}

// The parts of the URL's path, its host first, without scheme, query or fragment.
std::vector<std::string> Url_Parts(const std::string& url) {
  std::string rest = url.substr(url.find("://") == std::string::npos ? 0 : url.find("://") + 3);
  rest = rest.substr(0, rest.find_first_of("?#"));
  std::vector<std::string> parts;
  for (size_t at = 0; at <= rest.size();) {
    size_t slash = std::min(rest.find('/', at), rest.size());
    if (slash > at) parts.push_back(rest.substr(at, slash - at));
    at = slash + 1;
  }
  if (!parts.empty()) parts[0] = Lower(parts[0]);
  return parts;
}

bool Host_Is(const std::string& host, const std::string& site) {
  return host == site || Ends_In(host, "." + site);
}

// The judge's own name for the problem, from its page; "" when the page is
// not one whose names are known.
std::string Judge_Name(const std::string& url) {
  std::vector<std::string> parts = Url_Parts(url);
  if (parts.size() < 2) return "";
  const std::string& host = parts[0];
  if (Host_Is(host, "luogu.com.cn") || Host_Is(host, "atcoder.jp")) return parts.back();
  if (!Host_Is(host, "codeforces.com")) return "";
  // contest/1791/problem/A, gym/102942/problem/B, problemset/problem/1791/A
  for (size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] != "problem") continue;
    if (parts.size() == i + 3) return parts[i + 1] + parts[i + 2];
    if (parts.size() == i + 2 && i >= 2) return parts[i - 1] + parts[i + 1];
  }
  return "";
}

// A name Windows keeps for a device gets a '_': "con.cpp" cannot be made there.
std::string Not_A_Device(const std::string& stem) {
  return Device_Name(stem) ? stem + "_" : stem;
}

// One line of a comment, at most 300 bytes (the name and page have no line
// ends), and no '\' at its end, which would join the next line to it.
std::string Comment_Text(const std::string& text) {
  std::string line;
  for (size_t at = 0; at < text.size() && line.size() < 300;) {
    size_t length = std::max<size_t>(UTF8_Length(text, at), 1);
    line += text.substr(at, length);
    at += length;
  }
  while (!line.empty() && (line.back() == ' ' || line.back() == '\\')) line.pop_back();
  return line;
}

// 1500 as "1.5", 256 as "256": at most three decimals.
std::string Number_Text(double value) {
  std::string text = std::to_string(std::llround(value * 1000));
  while (text.size() < 4) text = "0" + text;
  text.insert(text.size() - 3, ".");
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// The comments at the top of X.cpp: the problem's name and contest when
// `named`, its page when `paged`, then its limits and files.
std::string Header(const Received_Problem& problem, bool named, bool paged) {
  std::string header;
  if (named) header += "// 题目：" + Comment_Text(problem.name) + "\n";
  if (named && !problem.group.empty()) header += "// 比赛：" + Comment_Text(problem.group) + "\n";
  if (paged) header += SOURCE_LINE + Comment_Text(problem.url) + "\n";
  if (problem.time_ms > 0)
    header += "// 时间限制：" + Number_Text(problem.time_ms / 1000) + " 秒\n";
  if (problem.memory_mb > 0) header += "// 内存限制：" + Number_Text(problem.memory_mb) + " MB\n";
  if (!problem.input_file.empty()) header += "// 输入文件：" + problem.input_file + "\n";
  if (!problem.output_file.empty()) header += "// 输出文件：" + problem.output_file + "\n";
  return header;
}

// The program itself, as the guide's first program starts, with the
// problem's files opened as the judges require.
std::string Body(const Received_Problem& problem) {
  std::string body = "#include <bits/stdc++.h>\nusing namespace std;\n\nint main() {\n";
  if (!problem.input_file.empty())
    body += "    freopen(\"" + problem.input_file + "\", \"r\", stdin);\n";
  if (!problem.output_file.empty())
    body += "    freopen(\"" + problem.output_file + "\", \"w\", stdout);\n";
  return body + "\n    return 0;\n}\n";
}

// Whether the launcher reads from `source` the problem's limits and nothing
// else: a name such as "误差不超过 1e-3" must not become a tolerance.
bool Reads_As_Meant(const std::string& source, const Received_Problem& problem) {
  Problem_Limits limits = Read_Limits(source, "X.cpp");
  Problem_Limits plain;
  return limits.notes.empty() && limits.time_written == (problem.time_ms > 0) &&
         limits.memory_written == (problem.memory_mb > 0) &&
         (problem.time_ms <= 0 || limits.time_us == std::llround(problem.time_ms * 1000)) &&
         (problem.memory_mb <= 0 ||
          limits.memory_bytes == std::llround(problem.memory_mb * (1 << 20))) &&
         limits.tolerance.absolute == 0 && limits.tolerance.relative == 0 &&
         limits.stress_rounds == plain.stress_rounds && limits.stress_us == plain.stress_us;
}

}  // namespace

std::string Problem_Source(const Received_Problem& problem) {
  // Without the name, then without the page, when either would be misread.
  for (int left_out = 0; left_out < 3; ++left_out) {
    std::string source = Header(problem, left_out == 0, left_out < 2) + Body(problem);
    if (Reads_As_Meant(source, problem)) return source;
  }
  return Header(problem, false, false) + Body(problem);
}

std::string Problem_Stem(const Received_Problem& problem) {
  std::string stem = Clean_Name(Judge_Name(problem.url));
  if (stem.empty()) stem = Clean_Name(problem.name);
  std::vector<std::string> parts = Url_Parts(problem.url);
  if (stem.empty() && parts.size() >= 2) stem = Clean_Name(parts.back());
  if (stem.empty()) stem = "problem";
  return Not_A_Device(stem);
}

namespace {

struct Plan {
  std::string stem;                                        // X
  bool source_kept = false;                                // X.cpp was there already
  std::vector<std::pair<std::string, std::string>> files;  // paths to write, with their bytes
  std::vector<int> written, same, different;               // the samples, by what became of them
};

std::string Path_In(const std::string& folder, const std::string& name) {
  return folder + SEPARATOR + name;
}

// The page named at the top of a source, "" for none.
std::string Page_Of(const std::string& source) {
  size_t at = source.find(SOURCE_LINE);
  if (at == std::string::npos) return "";
  at += SOURCE_LINE.size();
  std::string line = source.substr(at, source.find('\n', at) - at);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// X, or X_2, X_3, … when X.cpp is another problem's (it names another page):
// false when every one is taken.
bool Choose_Stem(const Received_Problem& problem, const std::string& folder, Plan& plan) {
  std::string stem = Problem_Stem(problem), page = Comment_Text(problem.url);
  for (int n = 1; n <= OTHER_PROBLEMS_MOST; ++n) {
    plan.stem = n == 1 ? stem : stem + "_" + std::to_string(n);
    std::string source, path = Path_In(folder, plan.stem + ".cpp");
    plan.source_kept = Path_Status(path) != PATH_MISSING;
    if (!plan.source_kept) return true;
    Read_Bytes(path, 1 << 16, source);
    std::string named = Page_Of(source);
    if (named.empty() || named == page) return true;
  }
  return false;
}

// Whether the file holds exactly these bytes.
bool Holds(const std::string& path, const std::string& bytes) {
  std::string there;
  return Read_Bytes(path, bytes.size() + 1, there) && there == bytes;
}

void Plan_Samples(const Received_Problem& problem, const std::string& folder, Plan& plan) {
  if (problem.interactive) return;  // its samples are a dialogue, not an input and an answer
  for (size_t i = 0; i < problem.samples.size(); ++i) {
    int number = static_cast<int>(i + 1);
    std::string base = Path_In(folder, plan.stem + std::to_string(number));
    const Received_Sample& sample = problem.samples[i];
    bool any = Path_Status(base + ".in") != PATH_MISSING ||
               Path_Status(base + ".ans") != PATH_MISSING ||
               Path_Status(base + ".out") != PATH_MISSING;
    if (!any) {
      plan.files.push_back({base + ".in", sample.input});
      plan.files.push_back({base + ".ans", sample.answer});
      plan.written.push_back(number);
    } else if (Holds(base + ".in", sample.input) &&
               (Holds(base + ".ans", sample.answer) || Holds(base + ".out", sample.answer))) {
      plan.same.push_back(number);
    } else {
      plan.different.push_back(number);
    }
  }
}

// "1、2、3"
std::string Numbers(const std::vector<int>& numbers) {
  std::string text;
  for (int number : numbers) text += (text.empty() ? "" : "、") + std::to_string(number);
  return text;
}

std::string Saying(const Received_Problem& problem, const std::string& folder, const Plan& plan) {
  std::string path = Path_In(folder, plan.stem + ".cpp");
  std::string said = "收到“" + Comment_Text(problem.name) + "”：" +
                     (plan.source_kept ? path + " 已经有了，没有改动" : "新建 " + path);
  if (!plan.written.empty()) said += "，样例 " + Numbers(plan.written);
  if (!plan.same.empty()) said += "，样例 " + Numbers(plan.same) + " 已经有了";
  if (!plan.different.empty())
    said += "，样例 " + Numbers(plan.different) + " 和收到的不同，保留了原来的文件";
  if (problem.samples.empty()) said += "，题目没有样例";
  if (problem.interactive && !problem.samples.empty()) said += "，交互题的样例没有保存";
  return said;
}

}  // namespace

bool Save_Problem(const Received_Problem& problem, const std::string& folder, std::string& said,
                  std::string& why) {
  Plan plan;
  if (!Choose_Stem(problem, folder, plan)) {
    why = "文件夹里的 " + Problem_Stem(problem) + ".cpp 到 " + plan.stem +
          ".cpp 都是别的题目，请换一个文件夹";
    return false;
  }
  Plan_Samples(problem, folder, plan);
  if (!plan.source_kept)
    plan.files.push_back({Path_In(folder, plan.stem + ".cpp"), Problem_Source(problem)});
  std::vector<std::string> written;
  for (const auto& [path, bytes] : plan.files) {
    std::string reason;
    if (Write_New_File(path, bytes, &reason)) {
      written.push_back(path);
      continue;
    }
    for (const std::string& done : written) Remove_File(done);
    why = "没能写入 " + path + "（" + reason + "），这道题的文件都没有留下";
    return false;
  }
  said = Saying(problem, folder, plan);
  return true;
}
