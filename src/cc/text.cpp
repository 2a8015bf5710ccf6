#include "cc/text.h"

#include <algorithm>
#include <vector>

std::string UTF8_Of(int code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

int GBK_Mark(unsigned char lead, unsigned char trail) {
  // Row A3 holds the full-width forms of ASCII in ASCII's order.
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return 0xFF01 + (trail - 0xA1);
  if (lead != 0xA1) return 0;
  switch (trail) {
    case 0xA1:
      return 0x3000;  // ideographic space
    case 0xA2:
      return 0x3001;  // 、
    case 0xA3:
      return 0x3002;  // 。
    case 0xAE:
      return 0x2018;  // ‘
    case 0xAF:
      return 0x2019;  // ’
    case 0xB0:
      return 0x201C;  // “
    case 0xB1:
      return 0x201D;  // ”
    case 0xB6:
      return 0x300A;  // 《
    case 0xB7:
      return 0x300B;  // 》
    case 0xBE:
      return 0x3010;  // 【
    case 0xBF:
      return 0x3011;  // 】
    default:
      return 0;
  }
}

int Edit_Distance(const std::string& a, const std::string& b) {
  // Optimal string alignment: Levenshtein with the swap of two neighbours.
  std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}
