// Text encodings on POSIX: terminals here speak UTF-8, but a program written
// for Chinese Windows may print GBK. glibc's converters are modules loaded at
// run time, and a program linked statically with one glibc aborts when it
// loads another's; so the table of the two-byte GBK characters is made once,
// by the iconv program that comes with every glibc, one character a line.
// Without that program nothing is decoded.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/posix_internal.h"

namespace {
const int TRAILS = 0xFE - 0x40 + 1;  // the second bytes a lead byte can take, 0x7F counted

// What the iconv program makes of `input`, invalid characters left out; ""
// when it cannot be run.
std::string Iconv_Output(const std::string& input) {
  std::vector<std::string> found = Programs_In(Path_Folders(), "iconv");
  const char* base = getenv("TMPDIR");
  std::string name = std::string(base && *base ? base : "/tmp") + "/tarnwickstone-gbk-XXXXXX";
  Fd file(found.empty() ? -1 : mkostemp(&name[0], O_CLOEXEC));
  if (file.fd < 0) return "";
  std::string text;
  Fd from, to, null(open("/dev/null", O_WRONLY | O_CLOEXEC));
  if (Write_Fd(file.fd, input.data(), input.size()) && Open_Pipe(from, to)) {
    auto read_all = [&](pid_t, int&, bool&) {
      char buffer[16384];
      for (ssize_t n; (n = read(from.fd, buffer, sizeof buffer)) != 0;) {
        if (n > 0)
          text.append(buffer, static_cast<size_t>(n));
        else if (errno != EINTR)
          break;
      }
    };
    Run_Child({found[0], "-c", "-f", "GBK", "-t", "UTF-8", name}, "", &to, &null, read_all,
              nullptr);
  }
  unlink(name.c_str());
  return text;
}

// Every lead byte 0x81 to 0xFE with every second byte 0x40 to 0xFE: the
// character as UTF-8, or "" where that pair is no GBK character.
const std::vector<std::string>& GBK_Table() {
  static const std::vector<std::string> table = [] {
    std::string input;
    for (int lead = 0x81; lead <= 0xFE; lead++)
      for (int trail = 0x40; trail <= 0xFE; trail++) {
        if (trail != 0x7F) input += {static_cast<char>(lead), static_cast<char>(trail)};
        input += '\n';
      }
    std::string output = Iconv_Output(input);
    std::vector<std::string> cells;
    for (size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1)
      cells.push_back(output.substr(at, end - at));
    // A line more or less would shift every character after it: trust none.
    if (cells.size() != static_cast<size_t>((0xFE - 0x81 + 1) * TRAILS)) cells.clear();
    return cells;
  }();
  return table;
}
}  // namespace

bool Decode_GBK(const std::string& bytes, std::string& text) {
  text.clear();
  for (size_t i = 0; i < bytes.size(); i++) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      text += bytes[i];
      continue;
    }
    if (lead < 0x81 || lead > 0xFE || i + 1 >= bytes.size()) return false;
    unsigned char trail = static_cast<unsigned char>(bytes[++i]);
    const std::vector<std::string>& table = GBK_Table();
    if (trail < 0x40 || trail > 0xFE || table.empty()) return false;
    const std::string& cell = table[static_cast<size_t>((lead - 0x81) * TRAILS + trail - 0x40)];
    if (cell.empty()) return false;
    text += cell;
  }
  return true;
}
