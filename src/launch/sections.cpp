#include "launch/sections.h"

#include <algorithm>
#include <cstring>

namespace {

const unsigned long long SHF_WRITE = 0x1, SHF_ALLOC = 0x2, SHF_TLS = 0x400;
const unsigned long long SHF_COMPRESSED = 0x800, SHT_NOBITS = 8;
const unsigned long long PE_WRITE = 0x80000000;

// A little-endian number of `size` bytes at `at`; 0 when it lies past the end.
unsigned long long Number(const std::string& data, size_t at, size_t size) {
  if (at > data.size() || size > data.size() - at) return 0;
  unsigned long long value = 0;
  for (size_t i = 0; i < size; i++)
    value |= static_cast<unsigned long long>(static_cast<unsigned char>(data[at + i])) << (8 * i);
  return value;
}

bool Elf_Sections(const std::string& data, std::vector<Section>& sections) {
  if (data.size() < 64 ||
      data.compare(0, 4,
                   "\x7f"
                   "ELF") != 0 ||
      data[4] != 2 || data[5] != 1)
    return false;
  unsigned long long table = Number(data, 0x28, 8), size = Number(data, 0x3a, 2);
  unsigned long long count = Number(data, 0x3c, 2), names = Number(data, 0x3e, 2);
  if (size < 64 || table > data.size() || count > (data.size() - table) / size || names >= count)
    return false;
  unsigned long long names_at = Number(data, table + names * size + 0x18, 8);
  for (unsigned long long i = 0; i < count; i++) {
    size_t header = table + i * size;
    Section s;
    s.name = String_At(data, names_at + Number(data, header, 4));
    unsigned long long flags = Number(data, header + 8, 8);
    s.offset = Number(data, header + 0x18, 8);
    s.memory = Number(data, header + 0x20, 8);
    s.size = Number(data, header + 4, 4) == SHT_NOBITS ? 0 : s.memory;
    // Thread-local data is a pattern copied for each thread, not a home of its own.
    s.data = (flags & (SHF_WRITE | SHF_ALLOC)) == (SHF_WRITE | SHF_ALLOC) && !(flags & SHF_TLS);
    s.compressed = (flags & SHF_COMPRESSED) != 0;
    s.address = Number(data, header + 0x10, 8);
    sections.push_back(s);
  }
  return true;
}

// Long names stand in the COFF string table.
bool Pe_Sections(const std::string& data, std::vector<Section>& sections) {
  if (data.compare(0, 2, "MZ") != 0) return false;
  unsigned long long pe = Number(data, 0x3c, 4);
  if (pe > data.size() || data.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return false;
  unsigned long long count = Number(data, pe + 6, 2), symbols = Number(data, pe + 12, 4);
  unsigned long long strings = symbols + Number(data, pe + 16, 4) * 18;
  size_t table = pe + 24 + Number(data, pe + 20, 2);
  bool wide = Number(data, pe + 24, 2) == 0x20b;  // PE32+
  unsigned long long image = wide ? Number(data, pe + 48, 8) : Number(data, pe + 52, 4);
  for (unsigned long long i = 0; i < count; i++) {
    size_t header = table + i * 40;
    if (header + 40 > data.size()) return false;
    Section s;
    s.name = std::string(data.c_str() + header, strnlen(data.c_str() + header, 8));
    if (!s.name.empty() && s.name[0] == '/')
      s.name = String_At(data, strings + std::strtoull(s.name.c_str() + 1, nullptr, 10));
    unsigned long long virtual_size = Number(data, header + 8, 4);
    unsigned long long raw_size = Number(data, header + 16, 4);
    s.size = std::min(virtual_size, raw_size);
    s.memory = virtual_size != 0 ? virtual_size : raw_size;
    s.offset = Number(data, header + 20, 4);
    s.data = (Number(data, header + 36, 4) & PE_WRITE) != 0;
    s.address = image + Number(data, header + 12, 4);
    sections.push_back(s);
  }
  return true;
}

}  // namespace

std::string String_At(const std::string& table, unsigned long long offset) {
  if (offset >= table.size()) return "";
  return std::string(table.c_str() + offset);
}

bool Read_Sections(const std::string& bytes, std::vector<Section>& sections) {
  sections.clear();
  return Elf_Sections(bytes, sections) || Pe_Sections(bytes, sections);
}
