// Text encodings on POSIX: terminals here speak UTF-8, but a program written
// for Chinese Windows may print GBK. glibc's converters are modules loaded at
// run time, and a program linked statically with one glibc aborts when it
// loads another's; so the table of the two-byte GBK characters is made at
// build time, by the build machine's iconv (cmake/gbk_table.cmake).
#include <cstddef>

#include "platform/platform.h"

namespace {
const int TRAILS = 0xFE - 0x40 + 1;  // the second bytes a lead byte can take, 0x7F counted

// Every lead byte 0x81 to 0xFE with every second byte 0x40 to 0xFE: the
// character as UTF-8, or "" where that pair is no GBK character.
const char* const GBK_TABLE[] = {
#include "platform/posix_gbk_table.inc"
};
static_assert(sizeof GBK_TABLE / sizeof *GBK_TABLE == (0xFE - 0x81 + 1) * TRAILS + 1,
              "one cell for each pair, and the empty one after the table's last line");
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
    if (trail < 0x40 || trail > 0xFE) return false;
    const char* cell = GBK_TABLE[static_cast<size_t>((lead - 0x81) * TRAILS + trail - 0x40)];
    if (!*cell) return false;
    text += cell;
  }
  return true;
}
