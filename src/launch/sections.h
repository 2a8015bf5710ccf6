// The sections of an executable file, ELF (64-bit) or PE, from its section
// headers: where their bytes lie in the file and what they take once loaded.
#pragma once

#include <string>
#include <vector>

struct Section {
  std::string name;
  unsigned long long offset = 0;  // where its bytes start in the file
  unsigned long long size = 0;    // its bytes in the file: 0 for .bss, which has none
  unsigned long long memory = 0;  // the bytes it takes once the program is loaded
  bool data = false;              // writable data, one of the program's static variables' homes
  bool compressed = false;        // its bytes are compressed (ELF's SHF_COMPRESSED)
  // Where it lies once loaded, as the program's debug information counts addresses.
  unsigned long long address = 0;
};

// The sections of the executable `bytes`; false when it is no little-endian
// ELF64 or PE file, or its section table lies past its end.
bool Read_Sections(const std::string& bytes, std::vector<Section>& sections);

// The zero-ended string at `offset` of a string table; "" past its end.
std::string String_At(const std::string& table, unsigned long long offset);
