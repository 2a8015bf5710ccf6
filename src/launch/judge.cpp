#include "launch/judge.h"

#include <algorithm>

#include "launch/crash_report.h"

const size_t OUTPUT_CAP = 64u << 20;

namespace {

const size_t SHOWN_INPUT = 4096;  // enough of an input to show a short one whole

// What could not be done, and the system's reason: "无法读取 X（没有权限）".
std::string Cannot(const std::string& what, const std::string& why) {
  return "无法" + what + "（" + why + "）";
}

// Puts Cannot(what, why) in `err`; always false.
bool Failed(std::string* err, const std::string& what, const std::string& why) {
  if (err) *err = Cannot(what, why);
  return false;
}

// While a sample's folder exists, Ctrl+C and requests to end wait, so that
// none is ever left behind.
struct Interruptions_Held {
  Interruptions_Held() { Hold_Interruptions(true); }
  ~Interruptions_Held() { Hold_Interruptions(false); }
  Interruptions_Held(const Interruptions_Held&) = delete;
  Interruptions_Held& operator=(const Interruptions_Held&) = delete;
};

// The regular file `name` in `folder` (any letter case unless `exact`),
// never a link the program made to something else; "" when there is none.
std::string Written_File(const std::string& folder, const std::string& name, bool exact) {
  std::vector<Folder_Entry> entries;
  if (!List_Folder(folder, entries, nullptr)) return "";
  for (const Folder_Entry& entry : entries)
    if (entry.kind == ENTRY_FILE && entry.target.empty() &&
        (exact ? entry.name == name : Lower(entry.name) == Lower(name)))
      return entry.name;
  return "";
}

// Places the input in the folder under each name; on a system where letter
// case does not count, two spellings are one file, placed once.
bool Place_Input(const Tested_Program& program, const std::string& input, const std::string& folder,
                 std::string* err) {
  std::string why;
  for (const std::string& name : program.inputs) {
    std::string path = folder + SEPARATOR + name;
    if (Path_Status(path) == PATH_MISSING && !Copy_File(input, path, &why))
      return Failed(err, "把 " + input + " 复制到 " + path, why);
  }
  return true;
}

// The output to judge: stdout's freopen target, else X.out, else what it printed.
void Take_Output(const Tested_Program& program, const std::string& folder, Test_Run& test) {
  std::string name = program.standard_output.empty()
                         ? Written_File(folder, program.out_name, false)
                         : Written_File(folder, program.standard_output, true);
  test.judged_file = program.standard_output.empty() ? name : program.standard_output;
  test.file_missing = !program.standard_output.empty() && name.empty();
  if (name.empty()) {
    test.output = test.judged_file.empty() ? std::move(test.run.output) : "";
    return;
  }
  std::string path = folder + SEPARATOR + name, why;
  if (!Read_Bytes(path, OUTPUT_CAP + 1, test.output, &why))
    test.notes.push_back(Cannot("读取 " + path, why));
}

// A program with no input file of its own reads `input` where it is.
Sample_Request Request_For(const Tested_Program& program, const std::string& folder,
                           const std::string& input) {
  Sample_Request request;
  request.argv = program.argv;
  request.folder = folder;
  request.input = program.inputs.empty() ? input : folder + SEPARATOR + program.inputs[0];
  for (const std::string& name : {program.standard_output, program.out_name})
    if (!name.empty()) request.outputs.push_back(folder + SEPARATOR + name);
  request.cap = OUTPUT_CAP;
  request.time_us = program.limits.time_us;
  // A program that waits is given twice its time and a second more before
  // it is judged to wait for good; one that computes on a machine too busy
  // to give it its time, ten times its time and ten seconds more.
  request.wait_us = 2 * program.limits.time_us + 1000000;
  request.wall_us = 10 * program.limits.time_us + 10000000;
  request.memory_bytes = program.limits.memory_bytes;
  request.environment = program.environment;
  return request;
}

bool Over_Time(const Judgement& j, const Problem_Limits& limits) {
  return (j.run.stop != STOP_NONE && j.run.stop != STOP_MEMORY && j.run.stop != STOP_OUTPUT) ||
         j.run.cpu_us > limits.time_us;
}

void Compare(Judgement& j, const Tested_Program& program, const Test_Run& test,
             const std::string& answer) {
  const std::string& output = test.output;
  j.difference = Compare_Output(answer, output, program.limits.tolerance);
  j.verdict = j.difference.same ? VERDICT_AC : VERDICT_WA;
  if (j.difference.same) return;
  j.empty = std::all_of(output.begin(), output.end(),
                        [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
  j.past_sixth =
      program.limits.tolerance.text.empty() && Differs_Past_Sixth_Decimal(answer, output);
  j.output_encoding = Encoding_Of(output);
  j.answer_encoding = Encoding_Of(answer);
}

}  // namespace

Tested_Program Program_For(const std::vector<std::string>& argv, const std::string& stem,
                           const Source_Names& names, const Problem_Limits& limits) {
  Tested_Program program{argv, {stem + ".in"}, names.standard_output, stem + ".out", limits, {}};
  for (const std::string& name : names.inputs)
    if (std::find(program.inputs.begin(), program.inputs.end(), name) == program.inputs.end() &&
        std::find(names.outputs.begin(), names.outputs.end(), name) == names.outputs.end())
      program.inputs.push_back(name);
  return program;
}

bool Run_Tests(const std::vector<Test_Input>& inputs, std::vector<Test_Run>& tests,
               std::string* err) {
  tests.assign(inputs.size(), Test_Run{});
  Interruptions_Held held;
  // An empty folder for each run: whatever a program writes, nothing beside
  // the samples can be touched, above all no answer file.
  std::vector<std::string> folders;
  std::vector<Sample_Request> requests;
  std::string why;
  bool ready = true;
  for (const Test_Input& each : inputs) {
    std::string folder = each.folder;
    if (folder.empty() ? !Make_Temp_Folder(folder, &why) : !Empty_Folder(folder, &why)) {
      ready = Failed(err, each.folder.empty() ? "创建临时文件夹" : "清空文件夹 " + folder, why);
      break;
    }
    folders.push_back(folder);
    requests.push_back(Request_For(*each.program, folder, each.input));
    requests.back().crash = &tests[folders.size() - 1].crash;
    ready = Place_Input(*each.program, each.input, folder, err);
    if (!ready) break;
  }
  std::vector<Sample_Run> runs;
  if (ready && !Run_Samples(requests, runs, &why)) ready = Failed(err, "准备运行", why);
  for (size_t i = 0; i < folders.size(); ++i) {
    if (ready) {
      tests[i].run = std::move(runs[i]);
      Take_Output(*inputs[i].program, folders[i], tests[i]);
    }
    if (inputs[i].folder.empty() && !Remove_Tree(folders[i], &why))
      tests[i].notes.push_back(Cannot("删除临时文件夹 " + folders[i], why));
  }
  return ready;
}

bool Run_Test(const Tested_Program& program, const std::string& input, Test_Run& test,
              std::string* err) {
  std::vector<Test_Run> tests;
  bool ran = Run_Tests({{&program, input, ""}}, tests, err);
  test = std::move(tests[0]);
  return ran;
}

Judgement Judge_Run(const Tested_Program& program, Test_Run& test) {
  Judgement j;
  j.run = std::move(test.run);
  j.run.output.clear();
  j.judged_file = test.judged_file;
  j.file_missing = test.file_missing;
  j.notes = test.notes;
  if (j.run.stop == STOP_INTERRUPTED) {
    j.verdict = VERDICT_INTERRUPTED;
  } else if (!j.run.end.started) {
    j.verdict = VERDICT_NOT_STARTED;
  } else if (Over_Time(j, program.limits)) {
    j.verdict = VERDICT_TLE;
  } else if (j.run.stop == STOP_MEMORY || j.run.peak_bytes > program.limits.memory_bytes) {
    j.verdict = VERDICT_MLE;
  } else if (j.run.stop == STOP_OUTPUT || test.output.size() > OUTPUT_CAP) {
    j.verdict = VERDICT_WA;
    j.cut = true;
  } else if (j.run.end.signaled || j.run.end.code != 0) {
    j.verdict = VERDICT_RE;
    j.location = Crash_Lines(test.crash);
  } else {
    j.verdict = VERDICT_AC;
  }
  return j;
}

Judgement Judge(const Tested_Program& program, Test_Run& test, const std::string& answer) {
  Judgement j = Judge_Run(program, test);
  if (j.verdict == VERDICT_AC) Compare(j, program, test, answer);
  return j;
}

Judgement Judge_Sample(const Tested_Program& program, const Sample& sample) {
  Judgement j;
  std::string answer, input, why;
  Test_Run test;
  // The answer is read after the run: a large one held meanwhile would be
  // copied into the processes forked for the run, and counted as the
  // program's memory.
  bool ready = Read_Bytes(sample.input, SHOWN_INPUT, input, &why) ||
               Failed(&j.error, "读取 " + sample.input, why);
  ready = ready && Run_Test(program, sample.input, test, &j.error);
  // An answer past the cap is refused by its size, before any of it is read.
  File_Stamp stamp{0, 0};
  bool fits = !Stamp_File(sample.answer, stamp) || stamp.size <= static_cast<long long>(OUTPUT_CAP);
  ready = ready && (!fits || Read_Bytes(sample.answer, OUTPUT_CAP + 1, answer, &why) ||
                    Failed(&j.error, "读取 " + sample.answer, why));
  if (!ready) return j;
  if (!fits || answer.size() > OUTPUT_CAP) {
    j.error = "答案文件 " + sample.answer + " 超过 64 MB";
    return j;
  }
  j = Judge(program, test, answer);
  j.input = input;
  return j;
}
