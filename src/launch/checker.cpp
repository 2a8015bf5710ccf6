#include "launch/checker.h"

#include <algorithm>

#include "console/text.h"   // Ends_In
#include "launch/stress.h"  // Compile_Helper, as 对拍's helpers are compiled

namespace {

const size_t SOURCE_MOST = 4u << 20;  // more than any checker's source
const char* const FILES[] = {"input.txt", "output.txt", "answer.txt"};  // in testlib's order
const char* const SHARED[] = {"checker.cpp", "spj.cpp", "gen.cpp", "brute.cpp"};

// True when `lower`, a source in the folder, is X's or one of the helpers'.
bool Own(const std::string& lower, const std::string& stem) {
  return lower == stem + ".cpp" || lower.compare(0, stem.size() + 1, stem + "_") == 0 ||
         std::find(std::begin(SHARED), std::end(SHARED), lower) != std::end(SHARED);
}

bool Includes_Testlib(const std::string& source) {
  std::string text;
  Read_Bytes(source, SOURCE_MOST, text);
  return text.find("testlib.h") != std::string::npos;
}

// Writes the checker's three files in `folder`.
bool Place_Files(const std::string& folder, const Test_Run& test, const std::string& answer,
                 std::string* err) {
  std::string at = folder + SEPARATOR;
  return Copy_File(test.input, at + FILES[0], err) &&
         Write_New_File(at + FILES[1], test.output, err) &&
         Write_New_File(at + FILES[2], answer, err);
}

// Runs the checker on the run's files in a folder of its own: false, with
// the reason, when that could not be prepared.
bool Run_Checker(const Tested_Program& program, const Test_Run& test, const std::string& answer,
                 Sample_Run& run, std::string* err) {
  std::string folder, why;
  if (!Make_Temp_Folder(folder, &why)) {
    if (err) *err = "无法创建临时文件夹（" + why + "）";
    return false;
  }
  Hold_Interruptions(true);  // the folder is never left behind
  Sample_Request request;
  request.argv = {program.checker, FILES[0], FILES[1], FILES[2]};
  request.folder = folder;
  request.input = folder + SEPARATOR + FILES[0];
  Limit_Run(CHECKER_LIMITS, request);
  std::vector<Sample_Run> runs;
  bool ran = Place_Files(folder, test, answer, &why) && Run_Samples({request}, runs, &why);
  if (ran) run = std::move(runs[0]);
  if (!ran && err) *err = "无法运行检查器 " + program.checker_name + "（" + why + "）";
  Remove_Tree(folder);
  Hold_Interruptions(false);
  return ran;
}

// Why a checker that failed failed, after its name.
std::string Failure(const Run_Verdict& v, const Sample_Run& run) {
  switch (v.helper) {
    case VERDICT_TLE:
      return "超过了它自己的 10 秒时限";
    case VERDICT_MLE:
      return "超过了它自己的 1024 MB 内存限制";
    case VERDICT_NOT_STARTED:
      return "无法启动";
    case VERDICT_RE:
      if (run.end.signaled)
        return "运行时崩溃了（" + Signal_Name(static_cast<int>(run.end.code)) + "）";
      return "运行时崩溃了";
    case VERDICT_WA:
      return "输出超过了 64 MB";
    case VERDICT_AC:
    case VERDICT_UNTESTED:
    case VERDICT_INTERRUPTED:
    case VERDICT_PARTIAL:
    case VERDICT_JUDGE_FAILED:
      break;
  }
  return "报告它自己出错了（返回值 3）";
}

}  // namespace

std::string Find_Checker(const std::string& program) {
  std::string folder = Folder_Of(program), stem = Lower(Program_Stem(program));
  std::vector<Folder_Entry> entries;
  if (!List_Folder(folder, entries)) return "";
  std::string at = folder == "." ? "" : folder + SEPARATOR, own, shared;  // as the student says it
  bool alone = true;  // no other program's source: checker.cpp and spj.cpp are X's
  for (const Folder_Entry& entry : entries) {
    std::string lower = Lower(entry.name);
    if (entry.kind != ENTRY_FILE || !Ends_In(lower, ".cpp")) continue;
    if (lower == stem + "_checker.cpp") own = at + entry.name;
    if ((lower == "checker.cpp" || lower == "spj.cpp") && (shared.empty() || lower[0] == 'c'))
      shared = at + entry.name;
    alone = alone && Own(lower, stem);
  }
  return !own.empty() ? own : alone ? shared : "";
}

void Prepare_Checker(const std::string& source, const std::string& program,
                     Tested_Program& tested) {
  std::string folder = Folder_Of(source);
  std::vector<std::string> options = Compile_Options(program);
  options.insert(options.end(), {"-I", folder});
  tested.checker_name = Base_Name(source);
  if (Compile_Helper(source, options, "用检查器评判样例")) {
    tested.checker = Explicit_Path(Executable_Of(source));
    return;
  }
  tested.checker_broken = "检查器 " + tested.checker_name + " 没有编译成功";
  if (Includes_Testlib(source) && Path_Status(folder + SEPARATOR + "testlib.h") != PATH_FILE)
    Write_Out("提示：" + tested.checker_name +
              " 用到的 testlib.h 不在它的文件夹里。testlib.h 是 Mike Mirzayanov "
              "写的公开头文件，在 GitHub 上的 MikeMirzayanov/testlib 项目里，"
              "把它下载下来放在 " +
              tested.checker_name + " 旁边再试。\n");
}

void Check(Judgement& j, const Tested_Program& program, const Test_Run& test,
           const std::string& answer) {
  if (!program.checker_broken.empty()) {
    j.verdict = VERDICT_JUDGE_FAILED;
    j.error = program.checker_broken;
    return;
  }
  Sample_Run run;
  if (!Run_Checker(program, test, answer, run, &j.error)) {
    j.verdict = VERDICT_UNTESTED;
    return;
  }
  Run_Verdict v = Checked_Verdict(run, Crash_Stack{});
  j.verdict = v.verdict;
  j.presentation = v.presentation;
  // testlib says its verdict on standard error; a plain checker may print it.
  j.checker_message =
      run.errors.find_first_not_of(" \r\n\t") != std::string::npos ? run.errors : run.output;
  if (j.verdict == VERDICT_JUDGE_FAILED)
    j.error = "检查器 " + program.checker_name + " " + Failure(v, run);
}

std::string Checker_Line(const Tested_Program& program) {
  if (program.checker_name.empty()) return "";
  return "答案由检查器 " + program.checker_name + " 评判，不再逐字比较。\n";
}
