// The sections of an executable file (ELF or PE), read from its bytes: what
// the line reader and the crash's report look up in a program.
#pragma once

#include <string>
#include <vector>

// One section of an executable file: its name, its address when loaded (as
// debug information counts addresses), and its bytes in the file.
struct Section {
  std::string name;
  unsigned long long address;
  std::string bytes;
};

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

// The sections of an ELF64 or PE file; false when it is neither.
bool Read_Sections(const std::string& executable, std::vector<Section>& found);

// The bytes of the section named `name`; "" when there is none.
const std::string& Section_Named(const std::vector<Section>& sections, const std::string& name);

// The text that starts at `offset` of a table of zero-ended strings; "" past its end.
std::string String_At(const std::string& table, unsigned long long offset);

// The bytes of code at `address` (as debug information counts addresses) in
// the executable file, `size` or fewer where its section ends; false when no
// section holds that address.
bool Read_Code(const std::string& executable, unsigned long long address, size_t size,
               std::string& bytes);

// The name of the function whose code holds `address` in a PE file's symbol
// table (which addr2line does not read for a MinGW program's library code),
// as the linker has it ("_ZSt9terminatev"); "" when there is none.
std::string Function_Symbol_At(const std::string& executable, unsigned long long address);
