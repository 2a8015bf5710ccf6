#include "launch/judge.h"

#include <algorithm>

#include "launch/checker.h"

namespace {

const size_t SHOWN_INPUT = 4096;  // enough of an input to show a short one whole
const size_t WRITTEN_SHOWN = 3;   // files a program left, named at most

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

// The regular files of the folder, never a link the program made to
// something else.
std::vector<std::string> Files_In(const std::string& folder) {
  std::vector<Folder_Entry> entries;
  std::vector<std::string> files;
  if (!List_Folder(folder, entries, nullptr)) return files;
  for (const Folder_Entry& entry : entries)
    if (entry.kind == ENTRY_FILE && entry.target.empty()) files.push_back(entry.name);
  std::sort(files.begin(), files.end());
  return files;
}

// The file `name` among `files` (any letter case unless `exact`); "" when
// there is none.
std::string Written_File(const std::vector<std::string>& files, const std::string& name,
                         bool exact) {
  for (const std::string& file : files)
    if (exact ? file == name : Lower(file) == Lower(name)) return file;
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

// The output to judge: stdout's freopen target, else X.out, when written,
// else what it printed; and the other files it left.
void Take_Output(const Tested_Program& program, const std::string& folder, Test_Run& test) {
  std::vector<std::string> files = Files_In(folder);
  std::string name =
      program.standard_output.empty() ? "" : Written_File(files, program.standard_output, true);
  if (name.empty()) name = Written_File(files, program.out_name, false);
  test.judged_file = name;
  for (const std::string& file : files)
    if (file != name && test.written.size() < WRITTEN_SHOWN &&
        std::find(program.inputs.begin(), program.inputs.end(), file) == program.inputs.end())
      test.written.push_back(file);
  if (name.empty()) {
    test.output = std::move(test.run.output);
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
  Limit_Run(program.limits, request);
  request.environment = program.environment;
  return request;
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
  Tested_Program program{
      argv, {stem + ".in"}, names.standard_output, stem + ".out", limits, {}, {}, "", "", ""};
  for (const std::string& name : names.inputs)
    if (std::find(program.inputs.begin(), program.inputs.end(), name) == program.inputs.end() &&
        std::find(names.outputs.begin(), names.outputs.end(), name) == names.outputs.end())
      program.inputs.push_back(name);
  return program;
}

Tested_Program Judged_Program(const std::vector<std::string>& argv, const std::string& stem,
                              const Source_Names& names, const Problem_Limits& limits) {
  std::string in = stem + ".in";
  for (const std::string& name : names.inputs)
    if (Lower(name) == Lower(stem + ".in")) in = name;
  // Its freopen is X.out's spelling, said in the header; any other is not read.
  std::string out =
      Lower(names.standard_output) == Lower(stem + ".out") ? names.standard_output : "";
  Tested_Program program{argv, {in}, out, stem + ".out", limits, {}, {}, "", "", ""};
  for (const std::string& name : names.inputs)
    if (Lower(name) != Lower(in) &&
        std::find(names.outputs.begin(), names.outputs.end(), name) == names.outputs.end())
      program.unprovided.push_back(name);
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
      tests[i].input = inputs[i].input;
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
  Run_Verdict v = Verdict_Of(test.run, program.limits, test.output.size(), test.crash);
  Judgement j;
  j.verdict = v.verdict;
  j.cut = v.cut;
  j.aborted = v.aborted;
  j.run = std::move(test.run);
  j.run.stop = v.stop;
  j.run.output.clear();
  j.judged_file = test.judged_file;
  j.notes = test.notes;
  if (j.verdict == VERDICT_RE) j.crash = test.crash;
  return j;
}

Judgement Judge(const Tested_Program& program, Test_Run& test, const std::string& answer) {
  Judgement j = Judge_Run(program, test);
  if (j.verdict == VERDICT_AC && program.checker.empty() && program.checker_broken.empty())
    Compare(j, program, test, answer);
  else if (j.verdict == VERDICT_AC)
    Check(j, program, test, answer);
  if (j.verdict == VERDICT_WA || j.verdict == VERDICT_RE || j.verdict == VERDICT_TLE ||
      j.verdict == VERDICT_MLE)
    j.unprovided = program.unprovided;
  // An answer left in a file the judge does not read shows as nothing judged.
  if (j.verdict == VERDICT_WA && j.empty) j.written = test.written;
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
