#include "console/width.h"

int Display_Width(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c < 0x80)
      width += 1;
    else if (c >= 0xC0)  // the first byte of a wide character; continuation bytes add nothing
      width += 2;
  }
  return width;
}
