#include "launch/local_arrays.h"

#include <algorithm>
#include <map>
#include <vector>

#include "launch/program_bytes.h"

namespace {

// DWARF's numbers for what is read here.
enum : unsigned {
  TAG_ARRAY = 0x01,
  TAG_SUBPROGRAM = 0x2e,
  TAG_VARIABLE = 0x34,
  TAG_SUBRANGE = 0x21,
  AT_NAME = 0x03,
  AT_BYTE_SIZE = 0x0b,
  AT_LOW_PC = 0x11,
  AT_HIGH_PC = 0x12,
  AT_UPPER_BOUND = 0x2f,
  AT_COUNT = 0x37,
  AT_DECL_LINE = 0x3b,
  AT_TYPE = 0x49,
};

const long long UNKNOWN = -1;  // a bound only known at run time (a VLA's)

struct Abbrev {
  unsigned tag = 0;
  bool children = false;
  std::vector<std::pair<unsigned long long, long long>> fields;  // form, or implicit value
  std::vector<unsigned long long> names;                         // each field's attribute
};

// One entry of the debug information, with what is read of it.
struct Entry {
  unsigned tag = 0;
  size_t parent = 0, function = 0;  // offsets: its parent's, its enclosing function's
  std::string name;
  unsigned long long type = 0, low = 0, high = 0;
  long long line = 0, size = UNKNOWN, bound = UNKNOWN;
  bool high_is_length = false;
};

std::map<unsigned long long, Abbrev> Read_Abbrevs(const std::string& section, size_t at) {
  std::map<unsigned long long, Abbrev> table;
  Bytes c{section, at, section.size()};
  for (unsigned long long code; c.ok && (code = c.Uleb()) != 0;) {
    Abbrev& a = table[code];
    a.tag = static_cast<unsigned>(c.Uleb());
    a.children = c.Fixed(1) != 0;
    for (unsigned long long name, form; c.ok && ((name = c.Uleb()) | (form = c.Uleb())) != 0;) {
      a.names.push_back(name);
      a.fields.push_back({form, form == 0x21 ? c.Sleb() : 0});
    }
  }
  return table;
}

// Reads one field in `form`: its number, or its text for a name; false for a
// form not read here (the unit is then left).
bool Read_Value(Bytes& c, unsigned long long form, int offset_size, const std::string& str,
                unsigned long long& number, std::string& text, bool& block) {
  const size_t fixed[] = {0, 8, 0, 0, 0, 2, 4, 8, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 2, 4, 8};
  block = form == 0x18 || form == 0x09 || form == 0x0a || form == 0x03 || form == 0x04;
  if (form < 21 && fixed[form] != 0)
    number = c.Fixed(fixed[form]);
  else if (form == 0x0f || form == 0x15 || form == 0x1b)
    number = c.Uleb();
  else if (form == 0x0d)
    number = static_cast<unsigned long long>(c.Sleb());
  else if (form == 0x08)
    text = c.String();
  else if (form == 0x0e)
    text = String_At(str, c.Fixed(offset_size));
  else if (form == 0x1f || form == 0x17 || form == 0x10)
    number = c.Fixed(offset_size);
  else if (form == 0x18 || form == 0x09)
    c.Skip(c.Uleb());
  else if (form == 0x0a)
    c.Skip(c.Fixed(1));
  else if (form == 0x03)
    c.Skip(c.Fixed(2));
  else if (form == 0x04)
    c.Skip(c.Fixed(4));
  else if (form == 0x19 || form == 0x21)
    number = 0;
  else if (form == 0x1e)
    c.Skip(16);
  else if (form == 0x20)
    number = c.Fixed(8);
  else if (form >= 0x25 && form <= 0x2c)
    number = c.Fixed((form - 0x25) % 4 + 1);  // strx1..addrx4
  else if (form == 0x22 || form == 0x23)
    number = c.Uleb();
  else
    return false;
  return c.ok;
}

}  // namespace

namespace {

bool Constant_Form(unsigned long long form) {
  for (unsigned long long f : {0x0bULL, 0x05ULL, 0x06ULL, 0x07ULL, 0x0dULL, 0x0fULL, 0x21ULL})
    if (form == f) return true;
  return false;
}

void Keep(Entry& e, unsigned long long name, unsigned long long form, unsigned long long number,
          const std::string& text, size_t unit) {
  long long value = static_cast<long long>(number);
  if (name == AT_NAME) e.name = text;
  if (name == AT_TYPE) e.type = unit + number;  // a reference within the unit
  if (name == AT_LOW_PC) e.low = number;
  if (name == AT_HIGH_PC) e.high = number, e.high_is_length = form != 0x01;
  if (name == AT_DECL_LINE) e.line = value;
  if (name == AT_BYTE_SIZE && Constant_Form(form)) e.size = value;
  if (name == AT_COUNT) e.bound = Constant_Form(form) ? value : UNKNOWN;
  if (name == AT_UPPER_BOUND) e.bound = Constant_Form(form) ? value + 1 : UNKNOWN;
}

// Reads the entries of one unit at `at` into `entries` by their offsets.
bool Read_Unit(const std::string& info, const std::string& abbrev, const std::string& str,
               size_t at, size_t& next, std::map<size_t, Entry>& entries) {
  Bytes c{info, at, info.size()};
  unsigned long long length = c.Fixed(4);
  int offset_size = length == 0xffffffff ? 8 : 4;
  if (offset_size == 8) length = c.Fixed(8);
  next = c.at + length;
  unsigned long long version = c.Fixed(2), table = 0;
  if (version >= 5)
    c.Fixed(2), table = c.Fixed(offset_size);  // unit type, address size
  else
    table = c.Fixed(offset_size), c.Fixed(1);
  if (!c.ok || next > info.size() || version < 2 || version > 5) return false;
  std::map<unsigned long long, Abbrev> abbrevs = Read_Abbrevs(abbrev, table);
  std::vector<size_t> open = {0};  // the entries whose children are being read
  std::vector<size_t> functions = {0};
  while (c.ok && c.at < next) {
    size_t offset = c.at;
    unsigned long long code = c.Uleb();
    if (code == 0) {
      if (open.size() > 1) open.pop_back(), functions.pop_back();
      continue;
    }
    auto found = abbrevs.find(code);
    if (found == abbrevs.end()) return false;
    Entry& e = entries[offset];
    e.tag = found->second.tag;
    e.parent = open.back();
    e.function = functions.back();
    for (size_t i = 0; i < found->second.fields.size(); i++) {
      unsigned long long form = found->second.fields[i].first, number = 0;
      std::string text;
      bool block = false;
      if (!Read_Value(c, form, offset_size, str, number, text, block)) return false;
      if (form == 0x21) number = static_cast<unsigned long long>(found->second.fields[i].second);
      Keep(e, found->second.names[i], block ? 0x18 : form, number, text, at);
    }
    if (found->second.children) {
      open.push_back(offset);
      functions.push_back(e.tag == TAG_SUBPROGRAM ? offset : functions.back());
    }
  }
  return c.ok;
}

// The bytes an object of the type at `type` takes; UNKNOWN when only known at run time.
long long Size_Of(const std::map<size_t, Entry>& entries, unsigned long long type, int depth = 0) {
  for (int hops = 0; hops < 16 && depth < 16; hops++) {
    auto found = entries.find(type);
    if (found == entries.end()) return UNKNOWN;
    const Entry& e = found->second;
    if (e.tag != TAG_ARRAY) {
      if (e.size != UNKNOWN || e.type == 0) return e.size;
      type = e.type;  // a typedef, const or volatile
      continue;
    }
    long long size = Size_Of(entries, e.type, depth + 1);
    for (const auto& [offset, child] : entries)
      if (child.parent == found->first && child.tag == TAG_SUBRANGE)
        size = size == UNKNOWN || child.bound == UNKNOWN ? UNKNOWN : size * child.bound;
    return size;
  }
  return UNKNOWN;
}

bool Is_Array(const std::map<size_t, Entry>& entries, unsigned long long type) {
  for (int hops = 0; hops < 16; hops++) {
    auto found = entries.find(type);
    if (found == entries.end()) return false;
    if (found->second.tag == TAG_ARRAY) return true;
    type = found->second.type;
  }
  return false;
}

}  // namespace

bool Largest_Local_Array(const std::string& executable, unsigned long long address,
                         Local_Array& array) {
  std::vector<Section> sections;
  if (!Read_Sections(executable, sections)) return false;
  std::string info = Section_Bytes(executable, sections, ".debug_info");
  std::string abbrev = Section_Bytes(executable, sections, ".debug_abbrev");
  std::string str = Section_Bytes(executable, sections, ".debug_str");
  std::map<size_t, Entry> entries;
  for (size_t at = 0, next = 0; at + 11 < info.size(); at = next)
    if (!Read_Unit(info, abbrev, str, at, next, entries)) return false;
  size_t function = 0;
  for (const auto& [offset, e] : entries) {
    unsigned long long end = e.high_is_length ? e.low + e.high : e.high;
    if (e.tag == TAG_SUBPROGRAM && e.low != 0 && address >= e.low && address < end)
      function = offset;
  }
  bool found = false;
  for (const auto& [offset, e] : entries) {
    if (function == 0 || e.tag != TAG_VARIABLE || e.function != function || e.line == 0 ||
        !Is_Array(entries, e.type))
      continue;
    long long size = Size_Of(entries, e.type);
    bool larger = !found || (size == UNKNOWN ? array.bytes != UNKNOWN
                                             : size > array.bytes && array.bytes != UNKNOWN);
    if (larger) array = {e.name, static_cast<int>(e.line), size};
    found = true;
  }
  return found;
}
