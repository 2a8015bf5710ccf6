// Call-frame information on POSIX: the .eh_frame of each module, read from
// the stopped program's memory, and the rules it gives for finding a caller's
// registers at one place in the code.
#include <algorithm>
#include <fstream>
#include <map>

#include "platform/posix_internal.h"

namespace {

const unsigned char ENCODING_OMIT = 0xff;     // DW_EH_PE_omit
const unsigned char TABLE_ENCODING = 0x3b;    // DW_EH_PE_datarel | DW_EH_PE_sdata4
const unsigned long long NO_ADDRESS = ~0ULL;  // a pointer that could not be read

// A cursor over the stopped process's memory; `ok` turns false at the first
// byte that cannot be read, and stays so.
struct Cursor {
  Stopped_Process& p;
  unsigned long long at;
  bool ok = true;

  template <typename T>
  T Take() {
    T value{};
    if (ok) ok = Read_Memory(p, at, &value, sizeof value);
    at += sizeof value;
    return value;
  }
  unsigned long long Uleb() {
    unsigned long long value = 0;
    for (int shift = 0; ok && shift < 64; shift += 7) {
      unsigned char byte = Take<unsigned char>();
      value |= static_cast<unsigned long long>(byte & 0x7f) << shift;
      if (!(byte & 0x80)) return value;
    }
    return value;
  }
  long long Sleb() {
    unsigned long long value = 0;
    int shift = 0;
    unsigned char byte = 0x80;
    while (ok && (byte & 0x80) && shift < 64) {
      byte = Take<unsigned char>();
      value |= static_cast<unsigned long long>(byte & 0x7f) << shift;
      shift += 7;
    }
    if (shift < 64 && (byte & 0x40)) value |= ~0ULL << shift;
    return static_cast<long long>(value);
  }
  // A pointer in one of the .eh_frame encodings (DW_EH_PE_*).
  unsigned long long Pointer(unsigned char encoding, unsigned long long data_base = 0) {
    unsigned long long start = at, value = 0;
    switch (encoding & 0x0f) {
      case 0x00:
        value = Take<unsigned long long>();
        break;
      case 0x01:
        value = Uleb();
        break;
      case 0x02:
        value = Take<unsigned short>();
        break;
      case 0x03:
        value = Take<unsigned int>();
        break;
      case 0x04:
        value = Take<unsigned long long>();
        break;
      case 0x09:
        value = static_cast<unsigned long long>(Sleb());
        break;
      case 0x0a:
        value = static_cast<unsigned long long>(Take<short>());
        break;
      case 0x0b:
        value = static_cast<unsigned long long>(Take<int>());
        break;
      case 0x0c:
        value = Take<unsigned long long>();
        break;
      default:
        ok = false;
    }
    switch (encoding & 0x70) {
      case 0x00:
        break;
      case 0x10:
        value += start;
        break;
      case 0x30:
        value += data_base;
        break;
      default:
        ok = false;  // text- and function-relative: never used on x86-64
    }
    if (ok && (encoding & 0x80)) value = Cursor{p, value}.Take<unsigned long long>();
    return ok ? value : NO_ADDRESS;
  }
};

// ---- Call-frame information ---------------------------------------------------------

struct Entry_Info {  // what a CIE says for every FDE that points to it
  unsigned long long code_align = 1;
  long long data_align = 1;
  unsigned long long return_register = 16;
  unsigned char fde_encoding = 0;
  bool augmented = false;
  unsigned long long instructions = 0, end = 0;
};

bool Read_Entry_Info(Stopped_Process& p, unsigned long long at, Entry_Info& cie) {
  Cursor c{p, at};
  unsigned long long length = c.Take<unsigned int>();
  if (length == 0xffffffff) length = c.Take<unsigned long long>();
  cie.end = c.at + length;
  if (c.Take<unsigned int>() != 0) return false;  // not a CIE
  unsigned char version = c.Take<unsigned char>();
  std::string augmentation;
  for (char ch = c.Take<char>(); c.ok && ch != '\0'; ch = c.Take<char>()) augmentation += ch;
  if (augmentation.find("eh") != std::string::npos) return false;
  cie.code_align = c.Uleb();
  cie.data_align = c.Sleb();
  cie.return_register = version == 1 ? c.Take<unsigned char>() : c.Uleb();
  if (!augmentation.empty() && augmentation[0] == 'z') {
    cie.augmented = true;
    unsigned long long size = c.Uleb(), data_end = c.at + size;
    for (char letter : augmentation.substr(1)) {
      if (letter == 'R') cie.fde_encoding = c.Take<unsigned char>();
      if (letter == 'L') c.Take<unsigned char>();
      if (letter == 'P') c.Pointer(c.Take<unsigned char>());
    }
    c.at = data_end;
  }
  cie.instructions = c.at;
  return c.ok && cie.return_register < FRAME_REGISTERS;
}

// Running the call-frame instructions of a CIE or an FDE up to a place in the code.
struct Cfa_Run {
  Cursor c;
  const Entry_Info& cie;
  const Frame_Rules& initial;  // what DW_CFA_restore goes back to
  Frame_Rules& f;
  std::vector<Frame_Rules> remembered;
};

Rule* Rule_Of(Frame_Rules& f, unsigned long long reg) {
  static Rule ignored;  // a register the walk has no use for
  return reg < FRAME_REGISTERS ? &f.rules[reg] : &ignored;
}

// The instructions that set one register's rule; false for another.
bool Run_Register_Op(Cfa_Run& run, unsigned char op) {
  static const unsigned char OPS[] = {0x05, 0x06, 0x07, 0x08, 0x09, 0x10,
                                      0x11, 0x14, 0x15, 0x16, 0x2f};
  if (std::find(std::begin(OPS), std::end(OPS), op) == std::end(OPS)) return false;
  Cursor& c = run.c;
  long long align = run.cie.data_align;
  unsigned long long reg = c.Uleb();
  Rule& rule = *Rule_Of(run.f, reg);
  switch (op) {
    case 0x05:
      rule = {RULE_AT_OFFSET, static_cast<long long>(c.Uleb()) * align};
      break;
    case 0x06:
      rule = reg < FRAME_REGISTERS ? run.initial.rules[reg] : Rule{};
      break;
    case 0x07:
      rule = {RULE_UNDEFINED, 0};
      break;
    case 0x08:
      rule = {RULE_SAME, 0};
      break;
    case 0x09:
      rule = {RULE_REGISTER, static_cast<long long>(c.Uleb())};
      break;
    case 0x11:
      rule = {RULE_AT_OFFSET, c.Sleb() * align};
      break;
    case 0x14:
      rule = {RULE_VALUE_OFFSET, static_cast<long long>(c.Uleb()) * align};
      break;
    case 0x15:
      rule = {RULE_VALUE_OFFSET, c.Sleb() * align};
      break;
    case 0x2f:
      rule = {RULE_AT_OFFSET, -static_cast<long long>(c.Uleb()) * align};
      break;
    default:  // expression, val_expression: nothing the walk needs
      c.at += c.Uleb();
      rule = {RULE_UNDEFINED, 0};
  }
  return true;
}

// The instructions that set the CFA or keep and restore whole rows; false for another.
bool Run_Row_Op(Cfa_Run& run, unsigned char op) {
  Cursor& c = run.c;
  Frame_Rules& f = run.f;
  switch (op) {
    case 0x00:
      return true;  // nop
    case 0x0a:
      run.remembered.push_back(f);
      return true;
    case 0x0b:
      if (run.remembered.empty()) return false;
      f = run.remembered.back();
      run.remembered.pop_back();
      return true;
    case 0x0c:
      f.cfa_register = static_cast<int>(c.Uleb());
      f.cfa_offset = static_cast<long long>(c.Uleb());
      return true;
    case 0x0d:
      f.cfa_register = static_cast<int>(c.Uleb());
      return true;
    case 0x0e:
      f.cfa_offset = static_cast<long long>(c.Uleb());
      return true;
    case 0x12:
      f.cfa_register = static_cast<int>(c.Uleb());
      f.cfa_offset = c.Sleb() * run.cie.data_align;
      return true;
    case 0x13:
      f.cfa_offset = c.Sleb() * run.cie.data_align;
      return true;
    case 0x2e:
      c.Uleb();
      return true;  // GNU_args_size
    default:
      return false;  // a CFA by expression (only PLT stubs, which call nothing) among them
  }
}

// Runs the instructions from `at` to `end`, while the place in the code
// they describe, `loc`, has not passed `pc`.
bool Run_Instructions(Cfa_Run& run, unsigned long long end, unsigned long long loc,
                      unsigned long long pc) {
  Cursor& c = run.c;
  while (c.ok && c.at < end) {
    unsigned char op = c.Take<unsigned char>();
    unsigned long long delta = 0;
    if (op >> 6 == 1) {
      delta = op & 0x3f;
    } else if (op >> 6 == 2) {
      *Rule_Of(run.f, op & 0x3f) = {RULE_AT_OFFSET,
                                    static_cast<long long>(c.Uleb()) * run.cie.data_align};
      continue;
    } else if (op >> 6 == 3) {
      *Rule_Of(run.f, op & 0x3f) = run.initial.rules[(op & 0x3f) % FRAME_REGISTERS];
      continue;
    } else if (op == 0x01) {
      loc = c.Pointer(run.cie.fde_encoding);
      continue;
    } else if (op >= 0x02 && op <= 0x04) {
      delta = op == 0x02   ? c.Take<unsigned char>()
              : op == 0x03 ? c.Take<unsigned short>()
                           : c.Take<unsigned int>();
    } else if (Run_Register_Op(run, op) || Run_Row_Op(run, op)) {
      continue;
    } else {
      return false;
    }
    loc += delta * run.cie.code_align;
    if (loc > pc) break;
  }
  return c.ok;
}

// The entries of the module's .eh_frame_hdr: where each FDE's code starts,
// and the FDE.
bool Index_Header(Stopped_Process& p, Code_Module& m) {
  Cursor c{p, m.frame_header};
  if (c.Take<unsigned char>() != 1) return false;
  unsigned char pointer_encoding = c.Take<unsigned char>();
  unsigned char count_encoding = c.Take<unsigned char>();
  unsigned char table_encoding = c.Take<unsigned char>();
  c.Pointer(pointer_encoding, m.frame_header);
  unsigned long long count = c.Pointer(count_encoding, m.frame_header);
  if (!c.ok || count_encoding == ENCODING_OMIT || table_encoding != TABLE_ENCODING) return false;
  for (unsigned long long i = 0; c.ok && i < count; i++) {
    unsigned long long start = m.frame_header + static_cast<unsigned long long>(c.Take<int>());
    unsigned long long fde = m.frame_header + static_cast<unsigned long long>(c.Take<int>());
    m.entries.push_back({start, fde});
  }
  return c.ok;
}

// Where the file's .eh_frame section is meant to lie, and its size: a
// program linked statically has no .eh_frame_hdr to find it by.
bool Frame_Section(const std::string& path, unsigned long long& address, unsigned long long& size) {
  std::ifstream file(path, std::ios::binary);
  auto number = [&](unsigned long long at, int bytes) {
    unsigned long long value = 0;
    file.seekg(static_cast<std::streamoff>(at));
    file.read(reinterpret_cast<char*>(&value), bytes);
    return value;
  };
  unsigned long long table = number(0x28, 8), entry = number(0x3a, 2), count = number(0x3c, 2);
  unsigned long long names = number(table + number(0x3e, 2) * entry + 0x18, 8);
  for (unsigned long long i = 0; file && i < count; i++) {
    unsigned long long header = table + i * entry;
    char name[10] = {};
    file.seekg(static_cast<std::streamoff>(names + number(header, 4)));
    file.read(name, sizeof name - 1);
    if (std::string(name) == ".eh_frame") {
      address = number(header + 0x10, 8);
      size = number(header + 0x20, 8);
      return bool(file);
    }
  }
  return false;
}

// The FDEs of the .eh_frame section from `at` to `end`, one by one.
bool Index_Frames(Stopped_Process& p, Code_Module& m, unsigned long long at,
                  unsigned long long end) {
  std::map<unsigned long long, Entry_Info> cies;
  while (at + 8 <= end) {
    Cursor c{p, at};
    unsigned long long length = c.Take<unsigned int>();
    if (length == 0 || length == 0xffffffff || !c.ok) break;  // the end, or a size not made here
    unsigned long long next = c.at + length, id_at = c.at;
    unsigned int id = c.Take<unsigned int>();
    if (id != 0) {
      Entry_Info& cie = cies[id_at - id];
      if (cie.end == 0 && !Read_Entry_Info(p, id_at - id, cie)) return false;
      m.entries.push_back({c.Pointer(cie.fde_encoding), at});
    }
    at = next;
  }
  std::sort(m.entries.begin(), m.entries.end());
  return true;
}

// The FDE that covers `pc` by the module's index: its address, or 0.
unsigned long long Find_Entry(Stopped_Process& p, Code_Module& m, unsigned long long pc) {
  if (!m.indexed) {
    m.indexed = true;
    unsigned long long address = 0, size = 0;
    if (m.frame_header != 0)
      Index_Header(p, m);
    else if (Frame_Section(m.path, address, size))
      Index_Frames(p, m, m.bias + address, m.bias + address + size);
  }
  auto after = std::upper_bound(m.entries.begin(), m.entries.end(), std::make_pair(pc, ~0ULL));
  return after == m.entries.begin() ? 0 : (after - 1)->second;
}

}  // namespace

const Frame_Rules& Rules_At(Stopped_Process& p, unsigned long long pc) {
  auto known = p.rules.find(pc);
  if (known != p.rules.end()) return *known->second;
  auto kept = std::make_shared<Frame_Rules>();
  p.rules[pc] = kept;
  Frame_Rules& f = *kept;
  Code_Module* m = Module_At(p, pc);
  unsigned long long fde = m == nullptr ? 0 : Find_Entry(p, *m, pc);
  if (fde == 0) return f;
  Cursor c{p, fde};
  unsigned long long length = c.Take<unsigned int>();
  if (length == 0xffffffff) length = c.Take<unsigned long long>();
  unsigned long long end = c.at + length, cie_at = c.at;
  unsigned int back = c.Take<unsigned int>();
  Entry_Info cie;
  if (!c.ok || back == 0 || !Read_Entry_Info(p, cie_at - back, cie)) return f;
  unsigned long long begin = c.Pointer(cie.fde_encoding);
  unsigned long long range = c.Pointer(cie.fde_encoding & 0x0f);
  if (cie.augmented) c.at += c.Uleb();
  if (!c.ok || pc < begin || pc - begin >= range) return f;
  Frame_Rules initial;
  Cfa_Run first{{p, cie.instructions}, cie, initial, initial, {}};
  if (!Run_Instructions(first, cie.end, begin, NO_ADDRESS)) return f;
  f = initial;
  Cfa_Run run{c, cie, initial, f, {}};
  f.known = Run_Instructions(run, end, begin, pc);
  if (cie.return_register != 16) f.rules[16] = f.rules[cie.return_register];
  return f;
}
