// A program file's bytes read as what it is made of: DWARF's numbers, the
// bytes of a section, its code at an address, the name of a function there.
#pragma once

#include <string>
#include <vector>

#include "launch/sections.h"

// A cursor over the bytes of a section, from `at` to `end`, reading DWARF's
// numbers; `ok` turns false at the first read past the end (damaged data),
// and every read after it gives 0.
struct Bytes {
  const std::string& data;
  size_t at;
  size_t end;
  bool ok = true;

  unsigned long long Fixed(size_t size);  // little-endian, of `size` bytes
  unsigned long long Uleb();
  long long Sleb();
  void Skip(unsigned long long size);
  std::string String();  // zero-ended
};

// The bytes of the section named `name`; "" when there is none, or it is compressed.
std::string Section_Bytes(const std::string& executable, const std::vector<Section>& sections,
                          const std::string& name);

// The bytes of code at `address` (as debug information counts addresses) in
// the executable file, `size` or fewer where its section ends; false when no
// section holds that address.
bool Read_Code(const std::string& executable, unsigned long long address, size_t size,
               std::string& bytes);

// The name of the function whose code holds `address` in a PE file's symbol
// table (which addr2line does not read for a MinGW program's library code),
// as the linker has it ("_ZSt9terminatev"); "" when there is none.
std::string Function_Symbol_At(const std::string& executable, unsigned long long address);
