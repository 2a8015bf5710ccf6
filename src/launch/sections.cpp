#include "launch/sections.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

std::string String_At(const std::string& table, unsigned long long offset) {
  if (offset >= table.size()) return "";
  return std::string(table.c_str() + offset);
}

namespace {

unsigned long long Number(const std::string& data, size_t at, size_t size) {
  unsigned long long value = 0;
  if (at + size > data.size() || at + size < at) return 0;
  for (size_t i = 0; i < size; i++)
    value |= static_cast<unsigned long long>(static_cast<unsigned char>(data[at + i])) << (8 * i);
  return value;
}

// The named sections of an ELF64 file.
bool Elf_Sections(const std::string& data, std::vector<Section>& found) {
  if (data.compare(0, 4,
                   "\x7f"
                   "ELF") != 0 ||
      data.size() < 64 || data[4] != 2)
    return false;
  unsigned long long table = Number(data, 0x28, 8), size = Number(data, 0x3a, 2);
  unsigned long long count = Number(data, 0x3c, 2), names = Number(data, 0x3e, 2);
  if (size < 64 || table + count * size > data.size() || names >= count) return false;
  unsigned long long names_at = Number(data, table + names * size + 0x18, 8);
  for (unsigned long long i = 0; i < count; i++) {
    size_t header = table + i * size;
    unsigned long long offset = Number(data, header + 0x18, 8),
                       length = Number(data, header + 0x20, 8);
    if (Number(data, header + 8, 8) & 0x800) continue;  // SHF_COMPRESSED: not read here
    if (Number(data, header + 4, 4) == 8) continue;     // SHT_NOBITS: nothing in the file
    std::string name = String_At(data, names_at + Number(data, header, 4));
    if (offset + length <= data.size())
      found.push_back({name, Number(data, header + 0x10, 8), data.substr(offset, length)});
  }
  return true;
}

// The named sections of a PE file; long names stand in the COFF string table.
bool Pe_Sections(const std::string& data, std::vector<Section>& found) {
  if (data.compare(0, 2, "MZ") != 0) return false;
  unsigned long long pe = Number(data, 0x3c, 4);
  if (pe + 24 > data.size() || data.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return false;
  unsigned long long count = Number(data, pe + 6, 2), symbols = Number(data, pe + 12, 4);
  unsigned long long strings = symbols + Number(data, pe + 16, 4) * 18;
  bool wide = Number(data, pe + 24, 2) == 0x20b;  // PE32+
  unsigned long long image = wide ? Number(data, pe + 48, 8) : Number(data, pe + 52, 4);
  size_t table = pe + 24 + Number(data, pe + 20, 2);
  for (unsigned long long i = 0; i < count; i++) {
    size_t header = table + i * 40;
    if (header + 40 > data.size()) return false;
    std::string name(data.c_str() + header, strnlen(data.c_str() + header, 8));
    if (!name.empty() && name[0] == '/')
      name = String_At(data, strings + std::strtoull(name.c_str() + 1, nullptr, 10));
    unsigned long long size = std::min(Number(data, header + 8, 4), Number(data, header + 16, 4));
    unsigned long long offset = Number(data, header + 20, 4);
    if (offset + size <= data.size())
      found.push_back({name, image + Number(data, header + 12, 4), data.substr(offset, size)});
  }
  return true;
}

}  // namespace

const std::string& Section_Named(const std::vector<Section>& sections, const std::string& name) {
  static const std::string none;
  for (const Section& section : sections)
    if (section.name == name) return section.bytes;
  return none;
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

bool Read_Sections(const std::string& executable, std::vector<Section>& found) {
  return Elf_Sections(executable, found) || Pe_Sections(executable, found);
}

bool Read_Code(const std::string& executable, unsigned long long address, size_t size,
               std::string& bytes) {
  std::vector<Section> found;
  if (!Read_Sections(executable, found)) return false;
  for (const Section& section : found)
    if (section.address != 0 && address >= section.address &&
        address - section.address < section.bytes.size()) {
      bytes = section.bytes.substr(address - section.address, size);
      return true;
    }
  return false;
}
