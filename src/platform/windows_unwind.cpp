// Walking the stack of a stopped program on Windows (x64): each frame is
// unwound by its module's function table (.pdata) and unwind codes (.xdata),
// which every x64 program has for its exceptions, its memory read a page at
// a time with ReadProcessMemory.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/windows_internal.h"

namespace {

const unsigned long long PAGE = 4096;
const unsigned long long SCAN_REACH = 64
                                      << 10;  // bytes of stack searched for a lost frame's caller

// The program's memory, read a page at a time and kept.
struct Remote_Memory {
  HANDLE process;
  std::map<unsigned long long, std::string> pages;  // "" for a page that cannot be read

  bool Read(unsigned long long at, unsigned long long& value) {
    unsigned char bytes[8];
    for (int i = 0; i < 8; i++) {
      unsigned long long page = (at + i) & ~(PAGE - 1);
      auto found = pages.find(page);
      if (found == pages.end()) {
        std::string data(PAGE, '\0');
        SIZE_T got = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<const void*>(page), &data[0], PAGE,
                               &got) ||
            got != PAGE)
          data.clear();
        found = pages.emplace(page, data).first;
      }
      if (found->second.empty()) return false;
      bytes[i] = static_cast<unsigned char>(found->second[(at + i) - page]);
    }
    value = 0;
    for (int i = 7; i >= 0; i--) value = value << 8 | bytes[i];
    return true;
  }
};

// A module's function table, read once.
struct Function_Table {
  unsigned long long base = 0, size = 0;
  std::vector<RUNTIME_FUNCTION> functions;  // sorted by their start
};

Function_Table Read_Table(HANDLE process, const Image_Range& image) {
  Function_Table table{image.base, image.size, {}};
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS64 nt;
  SIZE_T got = 0;
  auto read = [&](unsigned long long at, void* into, size_t size) {
    return ReadProcessMemory(process, reinterpret_cast<const void*>(at), into, size, &got) &&
           got == size;
  };
  if (!read(image.base, &dos, sizeof dos) || !read(image.base + dos.e_lfanew, &nt, sizeof nt))
    return table;
  const IMAGE_DATA_DIRECTORY& pdata =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXCEPTION];
  table.functions.resize(pdata.Size / sizeof(RUNTIME_FUNCTION));
  if (table.functions.empty() || !read(image.base + pdata.VirtualAddress, table.functions.data(),
                                       table.functions.size() * sizeof(RUNTIME_FUNCTION)))
    table.functions.clear();
  return table;
}

// The entry of the function that holds `rva`; nullptr for a leaf function.
const RUNTIME_FUNCTION* Function_At(const Function_Table& table, unsigned long long rva) {
  auto after = std::upper_bound(
      table.functions.begin(), table.functions.end(), rva,
      [](unsigned long long at, const RUNTIME_FUNCTION& f) { return at < f.BeginAddress; });
  if (after == table.functions.begin()) return nullptr;
  const RUNTIME_FUNCTION& f = *(after - 1);
  return rva < f.EndAddress ? &f : nullptr;
}

// The registers as the unwind codes number them: rax, rcx, rdx, rbx, rsp, rbp, rsi, rdi, r8 ...
// r15.
struct Registers {
  unsigned long long value[16];
  unsigned long long rip;
};

// One frame's unwinding under way.
struct Unwinding {
  Remote_Memory& m;
  Registers& r;
  unsigned long long frame = 0;  // the stack pointer of the function's body, where saves are
  bool machine_frame = false;    // the return address came from a machine frame
  bool lost_frame = false;       // the frame pointer points nowhere near the stack
};

// Undoes unwind code `i` (when `done`: the prologue had got past it). The
// number of slots the code takes, 0 when the stack cannot be read or the
// code is unknown.
int Undo_Code(Unwinding& u, const std::vector<unsigned>& codes, size_t i, bool done) {
  unsigned code = codes[i], op = (code >> 8) & 0x0f, info = code >> 12;
  unsigned long long& sp = u.r.value[4];
  unsigned long long next = codes[i + 1], wide = next | codes[i + 2] << 16;
  switch (op) {
    case 0:  // UWOP_PUSH_NONVOL
      if (done && !u.m.Read(sp, u.r.value[info])) return 0;
      if (done) sp += 8;
      return 1;
    case 1:  // UWOP_ALLOC_LARGE
      if (done) sp += info == 0 ? next * 8 : wide;
      return info == 0 ? 2 : 3;
    case 2:  // UWOP_ALLOC_SMALL
      if (done) sp += info * 8 + 8;
      return 1;
    case 3:  // UWOP_SET_FPREG
      if (done) sp = u.frame;
      return 1;
    case 4:  // UWOP_SAVE_NONVOL
      return done && !u.m.Read(u.frame + next * 8, u.r.value[info]) ? 0 : 2;
    case 5:  // UWOP_SAVE_NONVOL_FAR
      return done && !u.m.Read(u.frame + wide, u.r.value[info]) ? 0 : 3;
    case 6:  // UWOP_EPILOG, and the XMM saves: nothing the walk needs
    case 8:
      return 2;
    case 7:
    case 9:
      return 3;
    case 10:  // UWOP_PUSH_MACHFRAME: the return address and stack of an interrupted frame
      if (done && (!u.m.Read(sp + (info ? 8 : 0), u.r.rip) || !u.m.Read(sp + (info ? 32 : 24), sp)))
        return 0;
      u.machine_frame = u.machine_frame || done;
      return 1;
    default:
      return 0;
  }
}

// Undoes what the prologue of `f` did, `offset` bytes into the function
// (codes past it had not run yet), chained entries included; false when the
// unwind information or the stack cannot be read.
bool Undo_Prologue(Unwinding& u, unsigned long long base, RUNTIME_FUNCTION f,
                   unsigned long long offset) {
  for (bool first = true;; first = false) {
    unsigned long long at = base + f.UnwindData, header = 0, word = 0;
    if (!u.m.Read(at, header)) return false;
    int flags = static_cast<int>(header & 0xff) >> 3, count = static_cast<int>(header >> 16) & 0xff;
    // With a frame pointer, the body's stack pointer may have moved since
    // (alloca); the frame pointer tells where the prologue left it.
    int frame_register = static_cast<int>(header >> 24) & 0x0f;
    u.frame = frame_register == 0 ? u.r.value[4]
                                  : u.r.value[frame_register] - 16 * ((header >> 28) & 0x0f);
    // Wine returns from RaiseException with rbp cleared: a frame pointer
    // below the stack pointer, or far above it, is no frame's.
    u.lost_frame = first && frame_register != 0 && offset >= ((header >> 8) & 0xff) &&
                   (u.frame < u.r.value[4] || u.frame - u.r.value[4] > (1ull << 30));
    if (u.lost_frame) return false;
    std::vector<unsigned> codes(static_cast<size_t>(count) + 2);
    for (size_t i = 0; i < codes.size(); i++) {
      if (!u.m.Read(at + 4 + 2 * i, word)) return false;
      codes[i] = static_cast<unsigned>(word & 0xffff);
    }
    for (size_t i = 0; i < static_cast<size_t>(count);) {
      int slots = Undo_Code(u, codes, i, !first || (codes[i] & 0xff) <= offset);
      if (slots == 0) return false;
      i += static_cast<size_t>(slots);
    }
    if (!(flags & UNW_FLAG_CHAININFO)) return true;
    unsigned long long chained =
        at + 4 + 2 * ((static_cast<unsigned long long>(count) + 1) & ~1ull);
    if (!u.m.Read(chained, word)) return false;
    f.BeginAddress = static_cast<DWORD>(word);
    f.EndAddress = static_cast<DWORD>(word >> 32);
    if (!u.m.Read(chained + 8, word)) return false;
    f.UnwindData = static_cast<DWORD>(word);
  }
}

// The caller of a frame whose frame pointer was lost: the first return
// address on the stack that follows a direct call of the frame's own function.
bool Find_Caller(Remote_Memory& m, const std::vector<Function_Table>& tables,
                 unsigned long long function, Registers& r) {
  for (unsigned long long at = r.value[4]; at < r.value[4] + SCAN_REACH; at += 8) {
    unsigned long long back = 0, call = 0;
    if (!m.Read(at, back)) return false;
    bool in_code = false;
    for (const Function_Table& t : tables)
      in_code = in_code || (back >= t.base + 5 && back < t.base + t.size);
    if (!in_code || !m.Read(back - 5, call) || (call & 0xff) != 0xe8) continue;  // call rel32
    if (back +
            static_cast<unsigned long long>(static_cast<long long>(static_cast<int>(call >> 8))) !=
        function)
      continue;
    r.rip = back;
    r.value[4] = at + 8;
    return true;
  }
  return false;
}

}  // namespace

std::vector<unsigned long long> Walk_Stack(HANDLE process, const std::vector<Image_Range>& images,
                                           const CONTEXT& context, size_t most, bool& cut) {
  Remote_Memory m{process, {}};
  std::vector<Function_Table> tables;
  for (const Image_Range& image : images) tables.push_back(Read_Table(process, image));
  const unsigned long long* start = &context.Rax;  // rax ... r15 lie in the codes' order
  Registers r{};
  std::copy(start, start + 16, r.value);
  r.rip = context.Rip;
  std::vector<unsigned long long> pcs{r.rip};
  while (pcs.size() < most) {
    // A caller's return address may lie just past its function, after a
    // call that never returns; the call itself is one byte before it.
    unsigned long long look = pcs.size() == 1 ? r.rip : r.rip - 1, sp = r.value[4];
    const Function_Table* table = nullptr;
    for (const Function_Table& t : tables)
      if (look >= t.base && look < t.base + t.size) table = &t;
    const RUNTIME_FUNCTION* f = table ? Function_At(*table, look - table->base) : nullptr;
    Unwinding u{m, r};
    // Without an entry it is a leaf function: its return address is on top.
    bool undone =
        f == nullptr || Undo_Prologue(u, table->base, *f, look - table->base - f->BeginAddress);
    if (!undone && !(u.lost_frame && Find_Caller(m, tables, table->base + f->BeginAddress, r)))
      break;
    if (undone && !u.machine_frame) {
      if (!m.Read(r.value[4], r.rip)) break;
      r.value[4] += 8;
    }
    if (r.rip == 0 || r.value[4] <= sp) break;
    pcs.push_back(r.rip);
  }
  cut = pcs.size() == most;
  return pcs;
}
