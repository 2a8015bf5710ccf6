// Text encodings on POSIX, through iconv: terminals here speak UTF-8, but a
// program written for Chinese Windows may print GBK.
#include <iconv.h>

#include "platform/platform.h"

bool Decode_GBK(const std::string& bytes, std::string& text) {
  iconv_t convert = iconv_open("UTF-8", "GBK");
  if (convert == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = bytes;
  text.assign(bytes.size() * 3 / 2 + 4, '\0');  // a 2-byte GBK character is 3 bytes of UTF-8
  char* from = &in[0];
  char* to = &text[0];
  size_t left = in.size(), room = text.size();
  bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<size_t>(-1) && left == 0;
  iconv_close(convert);
  text.resize(text.size() - room);
  return whole;
}
