// Stands in for g++: records its arguments; then fails when the source holds
// the marker FAIL_TO_COMPILE, and otherwise "compiles" it by copying the
// recorder beside it to the path after -o.
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
  if (text.find("FAIL_TO_COMPILE") != std::string::npos) {
    fputs("a.cpp:1:1: error: asked to fail\n", stderr);
    return 1;
  }
  std::wstring recorder = Beside_Me(L"");
  recorder = recorder.substr(0, recorder.find_last_of(L'\\') + 1) + L"recorder.exe";
  return CopyFileW(recorder.c_str(), output, FALSE) ? 0 : 3;
}
