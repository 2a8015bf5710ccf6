// From start to a fully drawn main menu with slow output off, and peak memory.
#include "bench_util.h"

int main() {
  std::string folder = Temp_Folder();
  Write_File(folder + "/Tarnwickstone.tws", "\n\n\n\n0");
  std::vector<double> times, memory;
  for (int run = 0; run < 21; run++) {
    double start = Now_Ms();
    Bench_Child child = Start_In(TWS_PROGRAM, folder);
    if (!Wait_For(child, "5. 保存信息并退出\n\n")) return 1;
    times.push_back(Now_Ms() - start);
    memory.push_back(static_cast<double>(Finish(child)) / 1024.0);
  }
  std::printf("start to main menu: median %.2f ms, max %.2f ms; peak memory: median %.2f MB\n",
              Median(times), *std::max_element(times.begin(), times.end()), Median(memory));
  std::remove((folder + "/Tarnwickstone.tws").c_str());
  rmdir(folder.c_str());
  return 0;
}
