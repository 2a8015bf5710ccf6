#include "launch/judge.h"

#include <algorithm>

#include "launch/crash_report.h"
#include "launch/source_names.h"

const size_t OUTPUT_CAP = 64u << 20;

namespace {

const size_t SHOWN_INPUT = 4096;      // enough of an input to show a short one whole
const size_t SOURCE_MOST = 4u << 20;  // more than any contest program's source

// What could not be done, and the system's reason: "无法读取 X（没有权限）".
std::string Cannot(const std::string& what, const std::string& why) {
  return "无法" + what + "（" + why + "）";
}

// Letter case aside, since Windows' file names ignore it.
bool Has_Name(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return Lower(n) == Lower(name); });
}

void Decide(Judgement& j, const Sample_Run& run, const std::string& output,
            const std::string& answer) {
  j.us = run.us;
  j.end = run.end;
  if (!run.error.empty()) {
    j.error = run.error;
  } else if (run.interrupted) {
    j.verdict = VERDICT_INTERRUPTED;
  } else if (!run.end.started) {
    j.verdict = VERDICT_NOT_STARTED;
  } else if (run.timed_out) {
    j.verdict = VERDICT_TLE;
  } else if (output.size() > OUTPUT_CAP) {
    j.verdict = VERDICT_WA;
    j.cut = true;
  } else if (run.end.signaled || run.end.code != 0) {
    j.verdict = VERDICT_RE;
  } else {
    j.difference = Compare_Output(answer, output);
    j.verdict = j.difference.same ? VERDICT_AC : VERDICT_WA;
  }
}

}  // namespace

Tested_Program Program_For(const std::vector<std::string>& argv, const std::string& stem,
                           const std::string& source, long long limit_us, std::string* err) {
  Tested_Program program{argv, {stem + ".in"}, {stem + ".out"}, limit_us};
  std::string text, why;
  if (source.empty()) return program;
  if (!Read_Bytes(source, SOURCE_MOST, text, &why)) {
    if (err) *err = Cannot("读取 " + source, why);
    return program;
  }
  Source_Names names = Scan_Source(text);
  for (const std::string& name : names.outputs)
    if (!Has_Name(program.outputs, name)) program.outputs.push_back(name);
  for (const std::string& name : names.inputs)
    if (!Has_Name(program.inputs, name) && !Has_Name(program.outputs, name))
      program.inputs.push_back(name);
  return program;
}

Judgement Judge_Sample(const Tested_Program& program, const Sample& sample) {
  Judgement j{VERDICT_UNTESTED, 0, {true, false, 0}, false, {}, "", "", {}, ""};
  std::string answer, folder, why;
  if (!Read_Bytes(sample.answer, OUTPUT_CAP + 1, answer, &why))
    j.error = Cannot("读取 " + sample.answer, why);
  else if (answer.size() > OUTPUT_CAP)
    j.error = "答案文件 " + sample.answer + " 超过 64 MB";
  else if (!Read_Bytes(sample.input, SHOWN_INPUT, j.input, &why))
    j.error = Cannot("读取 " + sample.input, why);
  if (!j.error.empty()) return j;
  Hold_Interruptions(true);
  if (!Make_Temp_Folder(folder, &why)) {
    j.error = Cannot("创建临时文件夹", why);
    Hold_Interruptions(false);
    return j;
  }
  // A fresh folder of its own: whatever the program writes, nothing beside
  // the samples can be touched, above all no answer file.
  std::string place = folder + SEPARATOR;
  bool ready = true;
  for (size_t i = 0; ready && i < program.inputs.size(); ++i) {
    std::string copy = place + program.inputs[i];
    ready = Copy_File(sample.input, copy, &why);
    if (!ready) j.error = Cannot("把 " + sample.input + " 复制到 " + copy, why);
  }
  if (ready) {
    std::vector<std::string> outputs;
    for (const std::string& name : program.outputs) outputs.push_back(place + name);
    Crash_Stack crash;
    Sample_Run run = Run_Sample(program.argv, folder, place + program.inputs[0], outputs,
                                OUTPUT_CAP, program.limit_us, &crash);
    std::string output = run.output;
    // The file it wrote, if it wrote one, is its answer; else what it printed.
    auto written = std::find_if(outputs.begin(), outputs.end(), [](const std::string& path) {
      return Path_Status(path) == PATH_FILE;
    });
    if (written != outputs.end() && !Read_Bytes(*written, OUTPUT_CAP + 1, output, &why)) {
      run.error = Cannot("读取 " + *written, why);
      output.clear();
    }
    Decide(j, run, output, answer);
    if (j.verdict == VERDICT_RE) j.location = Crash_Lines(crash);
  }
  if (!Remove_Tree(folder, &why)) j.notes.push_back(Cannot("删除临时文件夹 " + folder, why));
  Hold_Interruptions(false);
  return j;
}
