// The words of every failure the platform layer reports, on every system.
#include "platform/failure.h"

const char TOO_LARGE[] = "它太大了";

namespace {

// One row a kind: its words while doing anything, then while reading,
// writing and starting a program, where those differ (nullptr: the first).
struct Words {
  const char* any;
  const char* read;
  const char* write;
  const char* start;
};

const Words WORDS[] = {
    // FAILURE_NOT_FOUND: a reader finds nothing, which is no failure to tell.
    {"不存在", "", "它所在的文件夹不存在", "文件不存在"},
    // FAILURE_DENIED
    {"没有权限", "没有读取它的权限", "这个文件夹不允许写入", "没有运行它的权限"},
    // FAILURE_DENIED_OR_BUSY
    {"没有权限，或者文件正被别的程序使用", "没有读取它的权限", "这个文件夹不允许写入",
     "没有运行它的权限"},
    // FAILURE_BUSY
    {"它正被别的程序使用", nullptr, nullptr, nullptr},
    // FAILURE_READ_ONLY
    {"磁盘是只读的", nullptr, "这个文件夹所在的磁盘是只读的", nullptr},
    // FAILURE_DISK_FULL
    {"磁盘已满", nullptr, nullptr, nullptr},
    // FAILURE_IS_FOLDER
    {"它是一个文件夹", nullptr, "一个同名的文件夹占着它的位置", nullptr},
    // FAILURE_EXISTS
    {"它已经存在", nullptr, nullptr, nullptr},
    // FAILURE_NOT_REGULAR
    {"它不是普通文件", nullptr, nullptr, nullptr},
    // FAILURE_TOO_LARGE
    {TOO_LARGE, nullptr, nullptr, nullptr},
    // FAILURE_NOT_PROGRAM
    {"它不是本系统能运行的程序", nullptr, nullptr, nullptr},
};

}  // namespace

std::string Reason(Failure failure, Doing doing, long long code) {
  if (failure == FAILURE_OTHER) return "系统错误 " + std::to_string(code);
  const Words& words = WORDS[failure];
  const char* said = doing == DOING_READ    ? words.read
                     : doing == DOING_WRITE ? words.write
                     : doing == DOING_START ? words.start
                                            : nullptr;
  return said ? said : words.any;
}

bool Fail(std::string* err, Failure failure, Doing doing, long long code) {
  if (err) *err = Reason(failure, doing, code);
  return false;
}

bool Fail_Code(std::string* err, long long code, Doing doing) {
  return Fail(err, Failure_Of(code), doing, code);
}

std::string Error_Text(long long code) {
  return Reason(Failure_Of(code), DOING_ANY, code);
}

Program_End Not_Started(long long code, std::string* err) {
  Fail_Code(err, code, DOING_START);
  return {false, false, Failure_Of(code) == FAILURE_NOT_FOUND ? NOT_FOUND : NOT_RUNNABLE};
}

int Start_Failure(long long code, std::string* err) {
  return static_cast<int>(Not_Started(code, err).code);
}
