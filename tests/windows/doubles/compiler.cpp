// Stands in for g++: records its arguments; then fails when the source holds
// one of the markers below, with the messages a real g++ would give, and
// otherwise "compiles" it by copying the recorder beside it to the path after -o.
#include <cstring>

#include "record.h"

int wmain(int argc, wchar_t** argv) {
  Record(argc, argv);
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
