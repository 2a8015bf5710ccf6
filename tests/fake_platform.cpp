#include "fake_platform.h"

#include "settings/settings.h"

Fake_Platform FAKE;

const char SEPARATOR = '\\';
const std::string TOOL_EXTENSION = "exe";

void Reset_Fake() {
  FAKE = Fake_Platform();
  COM_PATH.clear();
  LAU_PATH.clear();
  US_PATH.clear();
  COM_SETTINGS.clear();
  SLOWSAY = true;
  FIRST = false;
}

std::string Last_Page() {
  std::string::size_type at = FAKE.screen.rfind("[cls]");
  return at == std::string::npos ? FAKE.screen : FAKE.screen.substr(at + 5);
}

void Set_UTF8_Console() {
  FAKE.commands.push_back("<utf8>");
}

void Write_Out(const std::string& bytes) {
  FAKE.screen += bytes;
  FAKE.clock += FAKE.write_cost;
}

bool Read_Line(std::string& line) {
  if (FAKE.input.empty()) return false;
  line = FAKE.input.front();
  FAKE.input.pop_front();
  return true;
}

void Quit(int status) {
  throw Fake_Quit{status};
}

int Command(const std::string& command) {
  FAKE.commands.push_back(command);
  FAKE.screen += "[" + command + "]";
  return FAKE.on_command ? FAKE.on_command(command) : 0;
}

long long Clock_Us() {
  return FAKE.clock;
}

void Sleep_Us(long long us) {
  FAKE.sleeps.push_back(us);
  FAKE.clock += us;
}

std::string Typed_Path(const std::string& text) {
  bool tilde = text == "~" || text.rfind("~/", 0) == 0;
  return tilde && !FAKE.home.empty() ? FAKE.home + text.substr(1) : text;
}

Path_Kind Path_Status(const std::string& path) {
  if (FAKE.files.count(path)) return PATH_FILE;
  if (FAKE.folders.count(path)) return PATH_DIRECTORY;
  return PATH_MISSING;
}

const char TOO_LARGE[] = "它太大了";

bool Read_Text_File(const std::string& path, size_t limit, std::string& text, std::string* err) {
  std::string why;
  if (FAKE.unreadable.count(path)) why = FAKE.unreadable[path];
  if (FAKE.folders.count(path)) why = "它是一个文件夹";
  if (FAKE.files.count(path) && FAKE.files[path].size() > limit) why = TOO_LARGE;
  if (err) *err = why;
  if (!why.empty() || !FAKE.files.count(path)) return false;
  text = FAKE.files[path];
  return true;
}

bool Replace_Text_File(const std::string& path, const std::string& text, std::string* err) {
  if (FAKE.fail_writes || FAKE.folders.count(path)) {
    if (err)
      *err = FAKE.folders.count(path) ? "一个同名的文件夹占着它的位置" : "这个文件夹不允许写入";
    return false;
  }
  FAKE.files[path] = text;
  FAKE.hidden.erase(path);  // the new file comes with fresh attributes
  FAKE.replaced.push_back(path);
  return true;
}

bool Hide_File(const std::string& path, std::string* err) {
  if (!FAKE.files.count(path)) {
    if (err) *err = "不存在";
    return false;
  }
  FAKE.hidden.insert(path);
  return true;
}

bool Create_Empty_File(const std::string& path, std::string* err) {
  std::string folder = path.substr(0, path.rfind(SEPARATOR));
  while (!folder.empty() && folder.back() == SEPARATOR) folder.pop_back();
  if (FAKE.fail_writes || FAKE.files.count(path) || FAKE.folders.count(path) ||
      path.back() == SEPARATOR || !FAKE.folders.count(folder)) {
    if (err) *err = "这个文件夹不允许写入";
    return false;
  }
  FAKE.files[path] = "";
  return true;
}
