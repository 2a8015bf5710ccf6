#include "launch/program_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "launch/sections.h"

unsigned long long Bytes::Fixed(size_t size) {
  unsigned long long value = 0;
  size_t limit = std::min(end, data.size());
  if (size > limit - std::min(at, limit)) ok = false;
  for (size_t i = 0; ok && i < size; i++)
    value |= static_cast<unsigned long long>(static_cast<unsigned char>(data[at + i])) << (8 * i);
  at += ok ? size : 0;
  return value;
}

unsigned long long Bytes::Uleb() {
  unsigned long long value = 0;
  for (int shift = 0; ok; shift += 7) {
    unsigned long long byte = Fixed(1);
    if (shift < 64) value |= (byte & 0x7f) << shift;
    if (!(byte & 0x80)) break;
  }
  return value;
}

long long Bytes::Sleb() {
  unsigned long long value = 0, byte = 0x80;
  int shift = 0;
  while (ok && (byte & 0x80)) {
    byte = Fixed(1);
    if (shift < 64) value |= (byte & 0x7f) << shift;
    shift += 7;
  }
  if (shift < 64 && (byte & 0x40)) value |= ~0ULL << shift;
  return static_cast<long long>(value);
}

void Bytes::Skip(unsigned long long size) {
  size_t limit = std::min(end, data.size());
  if (size > limit - std::min(at, limit)) ok = false;
  if (ok) at += size;
}

std::string Bytes::String() {
  size_t zero = data.find('\0', at);
  if (zero == std::string::npos || zero >= end) {
    ok = false;
    return "";
  }
  std::string text = data.substr(at, zero - at);
  at = zero + 1;
  return text;
}

namespace {

// A little-endian number of `size` bytes at `at`; 0 when it lies past the end.
unsigned long long Number(const std::string& data, size_t at, size_t size) {
  Bytes b{data, at, data.size()};
  unsigned long long value = b.Fixed(size);
  return b.ok ? value : 0;
}

}  // namespace

std::string Section_Bytes(const std::string& executable, const std::vector<Section>& sections,
                          const std::string& name) {
  for (const Section& s : sections)
    if (s.name == name && !s.compressed && s.offset + s.size <= executable.size())
      return executable.substr(s.offset, s.size);
  return "";
}

std::string Function_Symbol_At(const std::string& data, unsigned long long address) {
  if (data.compare(0, 2, "MZ") != 0) return "";
  unsigned long long pe = Number(data, 0x3c, 4);
  if (pe + 24 > data.size() || data.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return "";
  unsigned long long sections = Number(data, pe + 6, 2), symbols = Number(data, pe + 12, 4);
  unsigned long long count = Number(data, pe + 16, 4), strings = symbols + count * 18;
  bool wide = Number(data, pe + 24, 2) == 0x20b;
  unsigned long long image = wide ? Number(data, pe + 48, 8) : Number(data, pe + 52, 4);
  size_t table = pe + 24 + Number(data, pe + 20, 2);
  std::string best;
  unsigned long long best_at = 0;
  for (unsigned long long i = 0; symbols != 0 && i < count && symbols + i * 18 + 18 <= data.size();
       i += 1 + Number(data, symbols + i * 18 + 17, 1)) {
    size_t at = symbols + i * 18;
    unsigned long long section = Number(data, at + 12, 2);
    if (Number(data, at + 14, 2) != 0x20 || section == 0 || section > sections) continue;
    unsigned long long start =
        image + Number(data, table + (section - 1) * 40 + 12, 4) + Number(data, at + 8, 4);
    if (start > address || start < best_at) continue;
    best_at = start;
    best = Number(data, at, 4) == 0 ? String_At(data, strings + Number(data, at + 4, 4))
                                    : std::string(data.c_str() + at, strnlen(data.c_str() + at, 8));
  }
  return best;
}

bool Read_Code(const std::string& executable, unsigned long long address, size_t size,
               std::string& bytes) {
  std::vector<Section> sections;
  if (!Read_Sections(executable, sections)) return false;
  for (const Section& s : sections)
    if (s.address != 0 && !s.compressed && address >= s.address && address - s.address < s.size &&
        s.offset + s.size <= executable.size()) {
      bytes = executable.substr(s.offset + (address - s.address),
                                std::min<unsigned long long>(size, s.size - (address - s.address)));
      return true;
    }
  return false;
}
