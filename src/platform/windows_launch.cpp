// The launcher's platform operations on Windows.

#include "platform/windows_internal.h"
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "platform/platform.h"

namespace {

UINT INPUT_CP = 0;   // the console's input code page at start; 0 = none saved
UINT OUTPUT_CP = 0;  // the console's output code page at start; 0 = none saved

// Standard input when it is a console, else nullptr.
HANDLE Console_Input() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  return Is_Console(input) ? input : nullptr;
}

// Keys that are held together with others; pressed alone they are no answer.
bool Is_Modifier(WORD key) {
  switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<std::string> Program_Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

void Set_Title(const std::string& title) {
  SetConsoleTitleW(Widen(title).c_str());
}

void Save_Code_Pages() {
  INPUT_CP = GetConsoleCP();
  OUTPUT_CP = GetConsoleOutputCP();
}

void Restore_Code_Pages() {
  if (INPUT_CP != 0) SetConsoleCP(INPUT_CP);
  if (OUTPUT_CP != 0) SetConsoleOutputCP(OUTPUT_CP);
}

void Discard_Typed_Input() {
  HANDLE input = Console_Input();
  if (input != nullptr) FlushConsoleInputBuffer(input);
}

// cmd's pause would do, but its text is in the system's language and it
// needs a cmd of its own; this one always reads the same.
Key Wait_Key(const std::string& prompt) {
  Write_Out(prompt);
  HANDLE input = Console_Input();
  Key key = KEY_NONE;
  if (input == nullptr) {
    char byte;
    DWORD got = 0;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr) && got == 1)
      key = byte == '\r' || byte == '\n' ? KEY_ENTER : KEY_OTHER;
  } else {
    DWORD mode;
    GetConsoleMode(input, &mode);
    // Ctrl+C counts as a key here, so that the code pages are still put back.
    SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT));
    INPUT_RECORD record;
    DWORD got;
    while (ReadConsoleInputW(input, &record, 1, &got) && got == 1) {
      const KEY_EVENT_RECORD& pressed = record.Event.KeyEvent;
      if (record.EventType == KEY_EVENT && pressed.bKeyDown &&
          !Is_Modifier(pressed.wVirtualKeyCode)) {
        key = pressed.wVirtualKeyCode == VK_RETURN ? KEY_ENTER : KEY_OTHER;
        break;
      }
    }
    SetConsoleMode(input, mode);
  }
  Write_Out("\n");
  return key;
}

int Console_Width() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 80;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

bool Decode_GBK(const std::string& bytes, std::string& text) {
  text.clear();
  if (bytes.empty()) return true;
  int size = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n == 0) return false;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), size, &wide[0], n);
  text = Narrow(wide);
  return true;
}

std::string Signal_Name(int) {
  return "";
}

Start_Failure Start_Failure_Kind(long long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return START_NOT_FOUND;
    case ERROR_ACCESS_DENIED:
      return START_DENIED;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_EXE_MARKED_INVALID:
    case ERROR_INVALID_EXE_SIGNATURE:
      return START_NOT_PROGRAM;
    default:
      return START_OTHER;
  }
}
