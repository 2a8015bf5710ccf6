// Console input on Windows: lines, read as UTF-16 from a console, and the one
// key a wait asks for.
#include "platform/windows_internal.h"

namespace {
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

// One line typed at the console, up to its line feed.
bool Read_Console_Line(HANDLE in, std::string& line) {
  static std::wstring typed;  // console input after the line last returned
  // ReadConsoleA returns NUL bytes for non-ASCII input under code page
  // 65001 on many Windows 10 and 11 builds; the wide read does not.
  size_t end;
  while ((end = typed.find(L'\n')) == std::wstring::npos) {
    wchar_t buffer[1024];
    DWORD got = 0;
    if (!ReadConsoleW(in, buffer, 1024, &got, nullptr) || got == 0) return false;
    // Ctrl+Z at the start of a line is the console's end of input.
    if (typed.empty() && buffer[0] == 0x1A) return false;
    typed.append(buffer, got);
  }
  std::wstring w = typed.substr(0, end);
  typed.erase(0, end + 1);
  if (!w.empty() && w.back() == L'\r') w.pop_back();
  line = Narrow(w);
  return true;
}

HANDLE KEY_INPUT = nullptr;      // the console input whose mode a key wait changed
DWORD KEY_SAVED_MODE = 0;        // its mode before
volatile LONG KEY_MODE_SET = 0;  // the key wait's mode is on now

// The console is shared with whoever started us: ended during a key wait
// (Ctrl+Break, the window closed, a logoff), its input mode is put back first.
BOOL WINAPI Restore_Key_Mode(DWORD) {
  if (InterlockedExchange(&KEY_MODE_SET, 0)) SetConsoleMode(KEY_INPUT, KEY_SAVED_MODE);
  return FALSE;  // then it ends as it would have
}

// The first key pressed at the console that is not a modifier alone.
Key Read_Console_Key(HANDLE input) {
  static const bool handled = SetConsoleCtrlHandler(Restore_Key_Mode, TRUE) != 0;
  (void)handled;
  DWORD mode;
  GetConsoleMode(input, &mode);
  KEY_INPUT = input;
  KEY_SAVED_MODE = mode;
  InterlockedExchange(&KEY_MODE_SET, 1);
  // Ctrl+C counts as a key here, so that the code pages are still put back.
  SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT));
  Key key = KEY_NONE;
  INPUT_RECORD record;
  DWORD got;
  while (ReadConsoleInputW(input, &record, 1, &got) && got == 1) {
    const KEY_EVENT_RECORD& pressed = record.Event.KeyEvent;
    if (record.EventType == KEY_EVENT && pressed.bKeyDown &&
        !Is_Modifier(pressed.wVirtualKeyCode)) {
      // The D key whatever the keyboard's layout or an input method makes of it.
      wchar_t typed = pressed.uChar.UnicodeChar;
      key = pressed.wVirtualKeyCode == VK_RETURN                               ? KEY_ENTER
            : pressed.wVirtualKeyCode == 'D' || typed == L'd' || typed == L'D' ? KEY_D
                                                                               : KEY_OTHER;
      break;
    }
  }
  InterlockedExchange(&KEY_MODE_SET, 0);
  SetConsoleMode(input, mode);
  return key;
}
}  // namespace

bool Read_Line(std::string& line) {
  static HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  static bool console = Is_Console(in);
  line.clear();
  if (console) return Read_Console_Line(in, line);
  // A byte at a time, so that nothing is read ahead of what the program uses:
  // the programs it starts (pause, the compiler, the user's own program)
  // share this input and read what follows.
  bool any = false;
  char c;
  DWORD got;
  while (ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
    any = true;
    if (c == '\n') break;
    line += c;
  }
  if (!any) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
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
  if (input != nullptr) {
    key = Read_Console_Key(input);
  } else {
    char byte;
    DWORD got = 0;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr) && got == 1)
      key = byte == '\r' || byte == '\n' ? KEY_ENTER
            : byte == 'd' || byte == 'D' ? KEY_D
                                         : KEY_OTHER;
  }
  Write_Out("\n");
  return key;
}
