// How long the help page takes to type itself out, against its paced byte
// count in milliseconds. The ratio must stay within 1.00 to 1.05.
#include <fcntl.h>

#include "bench_util.h"
#include "settings/settings.h"

void Help();

int main() {
  std::string folder = Temp_Folder();
  std::string page = folder + "/page";
  int saved = dup(1);
  int nul = open("/dev/null", O_RDONLY);
  dup2(nul, 0);  // the page's closing key press comes at once
  SLOWSAY = true;
  std::vector<double> ratios;
  size_t paced = 0;
  for (int run = 0; run < 7; run++) {
    int fd = open(page.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    close(fd);
    double start = Now_Ms();
    Help();
    double elapsed = Now_Ms() - start;
    dup2(saved, 1);
    // The paced text is the numbered help lines; frame lines and line feeds are not paced.
    std::ifstream in(page);
    paced = 0;
    for (std::string line; std::getline(in, line);)
      if (line.size() > 2 && line[0] >= '1' && line[0] <= '9' && line.compare(1, 2, ". ") == 0)
        paced += line.size();
    ratios.push_back(elapsed / static_cast<double>(paced));
  }
  std::printf(
      "help page: %zu paced bytes; time / (bytes x 1 ms): median %.4f, min %.4f, max %.4f\n", paced,
      Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
      *std::max_element(ratios.begin(), ratios.end()));
  std::remove(page.c_str());
  rmdir(folder.c_str());
  return 0;
}
