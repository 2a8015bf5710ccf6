// The compile-and-run page against the same compile run directly: from the
// Enter that picks the source file to "编译成功！", slow output off.
#include "bench_util.h"

int main() {
  std::string folder = Temp_Folder();
  std::string source = folder + "/hello.cpp", exe = folder + "/hello.exe";
  Write_File(source, "#include <iostream>\nint main() { std::cout << \"hello\\n\"; }\n");
  Write_File(folder + "/Tarnwickstone.tws", "/usr/bin/g++\n\n\n\n0");
  std::vector<double> page, direct;
  for (int run = 0; run < 15; run++) {
    std::remove(exe.c_str());
    Child child = Spawn(TWS_PROGRAM, folder);
    Send(child, "2\n");
    if (!Wait_For(child, "请输入 C++ 文件的路径：\n")) return 1;
    double start = Now_Ms();
    Send(child, source + "\n");
    if (!Wait_For(child, "编译成功！")) return 1;
    page.push_back(Now_Ms() - start);
    Finish(child);

    std::remove(exe.c_str());
    start = Now_Ms();
    Child compiler = Spawn_Args({"/usr/bin/g++", "-g", "-o", exe, source}, folder);
    Finish(compiler);
    direct.push_back(Now_Ms() - start);
  }
  std::printf("compile: page median %.1f ms, direct median %.1f ms, ratio %.3f\n", Median(page),
              Median(direct), Median(page) / Median(direct));
  for (const char* name : {"/hello.cpp", "/hello.exe", "/Tarnwickstone.tws"})
    std::remove((folder + name).c_str());
  rmdir(folder.c_str());
  return 0;
}
