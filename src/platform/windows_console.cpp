// The console on Windows: what the program writes, as whole UTF-16
// characters, the window's title and width, and its code pages.
#include "platform/windows_internal.h"

const char SEPARATOR = '\\';
const std::string TOOL_EXTENSION = "exe";
const bool HAS_SIGNALS = false;

bool Is_Console(HANDLE h) {
  DWORD mode;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) != 0;
}

namespace {
HANDLE STDOUT = GetStdHandle(STD_OUTPUT_HANDLE);  // standard output
bool STDOUT_CONSOLE = Is_Console(STDOUT);         // it is a console, not a file or a pipe
std::string HELD;                                 // the first bytes of an unfinished character
UINT INPUT_CP = 0;   // the console's input code page at start; 0 = none saved
UINT OUTPUT_CP = 0;  // the console's output code page at start; 0 = none saved

// Bytes a UTF-8 character takes, judged by its first byte; 1 for a stray byte,
// which is then written (and shown as a replacement mark) on its own.
size_t Char_Length(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

void Write_Console(HANDLE console, const std::string& bytes) {
  std::wstring w = Widen(bytes);
  DWORD done;
  WriteConsoleW(console, w.data(), static_cast<DWORD>(w.size()), &done, nullptr);
}

// What a Windows program's text-mode output writes to a file or a pipe: a
// line feed becomes CR LF; every other byte goes out as it is.
void Write_Text_Mode(HANDLE file, const std::string& bytes) {
  std::string raw = Crlf(bytes);
  DWORD done;
  WriteFile(file, raw.data(), static_cast<DWORD>(raw.size()), &done, nullptr);
}
}  // namespace

void Set_UTF8_Console() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

void Save_Code_Pages() {
  INPUT_CP = GetConsoleCP();
  OUTPUT_CP = GetConsoleOutputCP();
}

void Restore_Code_Pages() {
  if (INPUT_CP != 0) SetConsoleCP(INPUT_CP);
  if (OUTPUT_CP != 0) SetConsoleOutputCP(OUTPUT_CP);
}

void Write_Held() {
  if (!HELD.empty()) Write_Console(STDOUT, HELD);
  HELD.clear();
}

void Write_Out(const std::string& bytes) {
  if (!STDOUT_CONSOLE) {
    Write_Text_Mode(STDOUT, bytes);
    return;
  }
  // The core paces one byte at a time, but a console converts each write on
  // its own and would show a split character as replacement marks: hold the
  // first bytes of a character and write it whole when its last byte comes.
  std::string ready;
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    if (!HELD.empty() && (u & 0xC0) != 0x80) Write_Held();  // cut short: show what came
    HELD += c;
    if (HELD.size() >= Char_Length(static_cast<unsigned char>(HELD[0]))) {
      ready += HELD;
      HELD.clear();
    }
  }
  if (!ready.empty()) Write_Console(STDOUT, ready);
}

void Write_Err(const std::string& text) {
  Write_Held();  // the same console may show both
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (Is_Console(err))
    Write_Console(err, text);
  else
    Write_Text_Mode(err, text);
}

void Set_Title(const std::string& title) {
  SetConsoleTitleW(Widen(title).c_str());
}

int Console_Width() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 80;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

bool Output_Is_Console() {
  return STDOUT_CONSOLE;
}

void Quit(int status) {
  Write_Held();
  Lower_Resolution();
  ExitProcess(static_cast<UINT>(status));
}
