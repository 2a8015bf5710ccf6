// Stands in for g++: records its arguments; then fails when the source holds
// one of the markers below, with the messages a real g++ would give, and
// otherwise "compiles" it by copying the recorder beside it to the path after -o.
// It also does what the companion asks of g++ to precompile a header (see
// Precompile), and refuses one when the source holds REFUSE_PCH.
#include <cstring>

#include "record.h"

namespace {

bool Is(const wchar_t* word, const wchar_t* what) {
  return wcscmp(word, what) == 0;
}

std::string Beside(const wchar_t* name) {
  std::wstring self = Beside_Me(L"");
  return Utf8((self.substr(0, self.find_last_of(L'\\') + 1) + name).c_str());
}

// A path as a make rule writes it: spaces escaped.
std::string Rule_Path(const std::string& path) {
  std::string escaped;
  for (char c : path) escaped += c == ' ' ? "\\ " : std::string(1, c);
  return escaped;
}

void Write(const wchar_t* path, const std::string& text) {
  FILE* file = _wfopen(path, L"wb");
  if (file == nullptr) return;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
}

// The words the companion uses to precompile a header: -E (the source's name
// in a line marker), -x c++-header (the header, made from stdc++.h beside
// this program, and its dependencies), -H (the header it would use) and
// -print-prog-name. Gives -1 for other words.
int Precompile(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    if (Is(argv[i], L"-print-prog-name=cc1plus")) {
      printf("%s\n", Utf8(Beside_Me(L".exe").c_str()).c_str());
      return 0;
    }
    if (Is(argv[i], L"-E") && i + 1 < argc) {
      std::string name;  // as GCC writes it: backslashes doubled
      for (char c : Utf8(argv[i + 1])) name += c == '\\' ? "\\\\" : std::string(1, c);
      printf("# 0 \"%s\"\n", name.c_str());
      return 0;
    }
    if (Is(argv[i], L"-H")) {
      for (int j = 1; j < argc; ++j)
        if (wcsncmp(argv[j], L"-I", 2) == 0)
          fprintf(stderr, "! %s\\bits\\stdc++.h.gch\n", Utf8(argv[j] + 2).c_str());
      return 0;
    }
    if (Is(argv[i], L"c++-header") && i + 6 < argc) {
      Write(argv[i + 3], "precompiled " + Utf8(argv[i + 1]) + "\n");
      Write(argv[i + 6], "pch: " + Rule_Path(Utf8(argv[i + 1])) + " \\\n " +
                             Rule_Path(Beside(L"stdc++.h")) + "\n");
      return 0;
    }
  }
  return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Record(argc, argv);
  int precompiled = Precompile(argc, argv);
  if (precompiled >= 0) return precompiled;
  const wchar_t* output = nullptr;
  for (int i = 1; i + 1 < argc; ++i)
    if (wcscmp(argv[i], L"-o") == 0) output = argv[i + 1];
  FILE* source = argc > 1 ? _wfopen(argv[argc - 1], L"rb") : nullptr;
  if (source == nullptr || output == nullptr) {
    fputs("compiler double: no source or no -o\n", stderr);
    return 2;
  }
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, source)) > 0) text.append(buffer, got);
  fclose(source);
  if (text.find("REFUSE_PCH") != std::string::npos && wcsncmp(argv[1], L"-I", 2) == 0) {
    fputs("a.cpp:1:10: fatal error: had to relocate PCH\ncompilation terminated.\n", stderr);
    return 1;
  }
  if (text.find("PRINT_PATH") != std::string::npos) {
    // The PATH it was given: what the programs it starts would search.
    const wchar_t* path = _wgetenv(L"PATH");
    printf("%s\n", path ? Utf8(path).c_str() : "");
    return 0;
  }
  if (text.find("FAIL_TO_COMPILE") != std::string::npos) {
    fputs("a.cpp:1:1: error: asked to fail\n", stderr);
    return 1;
  }
  if (text.find("LOCKED_OUTPUT") != std::string::npos) {
    // What MinGW-w64's linker says when the program from the last run still runs.
    fprintf(stderr,
            "C:/mingw64/bin/../lib/gcc/x86_64-w64-mingw32/12.2.0/../../../../x86_64-w64-mingw32/"
            "bin/ld.exe: cannot open output file %s: Permission denied\n"
            "collect2.exe: error: ld returned 1 exit status\n",
            Utf8(output).c_str());
    return 1;
  }
  if (text.find("CHINESE_MESSAGES") != std::string::npos) {
    // GCC's Chinese catalogue, in UTF-8 and as a Chinese Windows' code page
    // (GBK) has it: "错误：" and the quotes in GBK, the words still English.
    fputs(
        "a.cpp: 在函数‘int main()’中:\n"
        "a.cpp:4:5: 错误：‘cout’在此作用域中尚未声明\n"
        "a.cpp:6:5: \xB4\xED\xCE\xF3\xA3\xBA"
        "expected \xA1\xAE,\xA1\xAF or \xA1\xAE;\xA1\xAF "
        "before \xA1\xAEreturn\xA1\xAF\n",
        stderr);
    return 1;
  }
  std::wstring recorder = Beside_Me(L"");
  recorder = recorder.substr(0, recorder.find_last_of(L'\\') + 1) + L"recorder.exe";
  return CopyFileW(recorder.c_str(), output, FALSE) ? 0 : 3;
}
