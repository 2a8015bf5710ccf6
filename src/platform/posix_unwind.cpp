// Walking the stack of a stopped program on POSIX (x86-64): its memory read
// a region at a time, and each frame unwound by the call-frame information
// (.eh_frame, read by posix_cfi.cpp) that every module carries for
// exceptions anyway.
#include <sys/uio.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/posix_internal.h"

namespace {

const int SP = 7;                            // DWARF's number of rsp
const size_t WHOLE_REGION_MOST = 64u << 20;  // larger regions are read piece by piece

// ---- The process's memory -------------------------------------------------------

const Memory_Region* Region_At(const Stopped_Process& p, unsigned long long at) {
  auto after =
      std::upper_bound(p.regions.begin(), p.regions.end(), at,
                       [](unsigned long long a, const Memory_Region& r) { return a < r.start; });
  if (after == p.regions.begin()) return nullptr;
  const Memory_Region& region = *(after - 1);
  return at < region.end ? &region : nullptr;
}

bool Read_Remote(pid_t pid, unsigned long long at, void* into, size_t size) {
  iovec local{into, size};
  iovec remote{reinterpret_cast<void*>(at), size};
  return process_vm_readv(pid, &local, 1, &remote, 1, 0) == static_cast<ssize_t>(size);
}

}  // namespace

bool Read_Memory(Stopped_Process& p, unsigned long long at, void* into, size_t size) {
  const Memory_Region* region = Region_At(p, at);
  if (region == nullptr || at + size > region->end) return false;
  if (region->end - region->start > WHOLE_REGION_MOST) return Read_Remote(p.pid, at, into, size);
  std::string& bytes = p.loaded[region->start];
  if (bytes.empty()) {
    bytes.resize(region->end - region->start);
    if (!Read_Remote(p.pid, region->start, &bytes[0], bytes.size())) bytes.assign(1, '\0');
  }
  if (bytes.size() != region->end - region->start) return false;  // unreadable
  std::memcpy(into, bytes.data() + (at - region->start), size);
  return true;
}

// ---- Modules: where each one's code and unwinding tables are -------------------------

namespace {

// A number of `size` bytes at `at` in the program's memory; `ok` turns false
// when it cannot be read.
unsigned long long Number_At(Stopped_Process& p, unsigned long long at, size_t size, bool& ok) {
  unsigned long long value = 0;
  ok = ok && Read_Memory(p, at, &value, size);
  return value;
}

}  // namespace

Code_Module* Module_At(Stopped_Process& p, unsigned long long pc) {
  const Memory_Region* region = Region_At(p, pc);
  if (region == nullptr || region->path.empty() ||
      (region->path[0] == '[' && region->path != "[vdso]"))
    return nullptr;
  auto known = p.modules.find(region->path);
  if (known != p.modules.end()) return known->second.base == 0 ? nullptr : &known->second;
  Code_Module& m = p.modules[region->path];
  m.path = region->path;
  for (const Memory_Region& r : p.regions)
    if (r.path == m.path && r.offset == 0)
      m.base = m.base == 0 ? r.start : std::min(m.base, r.start);
  bool ok = m.base != 0;
  if (Number_At(p, m.base, 4, ok) != 0x464c457f || !ok) return m.base = 0, nullptr;
  unsigned long long phoff = Number_At(p, m.base + 0x20, 8, ok);
  unsigned long long phentsize = Number_At(p, m.base + 0x36, 2, ok);
  unsigned long long phnum = Number_At(p, m.base + 0x38, 2, ok);
  unsigned long long lowest = ~0ULL, frame_header = 0;
  for (unsigned long long i = 0; ok && i < phnum; i++) {
    unsigned long long header = m.base + phoff + i * phentsize;
    unsigned long long type = Number_At(p, header, 4, ok), vaddr = Number_At(p, header + 16, 8, ok);
    if (type == 1) lowest = std::min(lowest, vaddr & ~0xfffULL);  // PT_LOAD
    if (type == 0x6474e550) frame_header = vaddr;                 // PT_GNU_EH_FRAME
  }
  if (!ok || lowest == ~0ULL) return m.base = 0, nullptr;
  m.bias = m.base - lowest;
  m.frame_header = frame_header == 0 ? 0 : m.bias + frame_header;
  return &m;
}

namespace {

// Steps from one frame to its caller; false at the outermost frame or when
// the caller cannot be found.
bool Step(Stopped_Process& p, Frame_Registers& regs, bool innermost) {
  unsigned long long pc = regs.value[16];
  // A caller's return address may lie just past its function, after a call
  // that never returns; the call itself is one byte before it.
  const Frame_Rules& f = Rules_At(p, innermost ? pc : pc - 1);
  Frame_Registers next = regs;
  if (!f.known) {
    // A call through a bad pointer lands where there is no code: the return
    // address is still on top of the stack.
    const Memory_Region* at = Region_At(p, pc);
    if (!innermost || (at != nullptr && at->executable)) return false;
    unsigned long long sp = regs.value[SP];
    if (!Read_Memory(p, sp, &next.value[16], 8)) return false;
    next.value[SP] = sp + 8;
    regs = next;
    return next.value[16] != 0;
  }
  if (f.cfa_register >= FRAME_REGISTERS || !regs.known[f.cfa_register]) return false;
  unsigned long long cfa =
      regs.value[f.cfa_register] + static_cast<unsigned long long>(f.cfa_offset);
  for (int r = 0; r < FRAME_REGISTERS; r++) {
    const Rule& rule = f.rules[r];
    unsigned long long at = cfa + static_cast<unsigned long long>(rule.value);
    switch (rule.kind) {
      case RULE_SAME:
        break;
      case RULE_UNDEFINED:
        next.known[r] = false;
        break;
      case RULE_AT_OFFSET:
        next.known[r] = Read_Memory(p, at, &next.value[r], 8);
        break;
      case RULE_VALUE_OFFSET:
        next.value[r] = at;
        break;
      case RULE_REGISTER:
        next.known[r] = rule.value < FRAME_REGISTERS && regs.known[rule.value];
        if (next.known[r]) next.value[r] = regs.value[rule.value];
        break;
    }
  }
  next.value[SP] = cfa;
  next.known[SP] = true;
  if (!next.known[16] || next.value[16] == 0 || cfa <= regs.value[SP]) return false;
  regs = next;
  return true;
}

}  // namespace

std::vector<Memory_Region> Read_Regions(pid_t pid) {
  std::vector<Memory_Region> regions;
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  std::string line;
  while (std::getline(maps, line)) {
    Memory_Region r;
    std::istringstream fields(line);
    std::string range, mode, device;
    unsigned long long inode = 0;
    fields >> range >> mode >> std::hex >> r.offset >> device >> std::dec >> inode;
    size_t dash = range.find('-');
    if (!fields || dash == std::string::npos) continue;
    r.start = std::stoull(range.substr(0, dash), nullptr, 16);
    r.end = std::stoull(range.substr(dash + 1), nullptr, 16);
    r.executable = mode.size() > 2 && mode[2] == 'x';
    std::getline(fields >> std::ws, r.path);
    regions.push_back(r);
  }
  return regions;
}

std::vector<unsigned long long> Walk_Stack(Stopped_Process& p, Frame_Registers regs, size_t most,
                                           bool& cut) {
  std::vector<unsigned long long> pcs{regs.value[16]};
  while (pcs.size() < most && Step(p, regs, pcs.size() == 1)) pcs.push_back(regs.value[16]);
  cut = pcs.size() == most;
  return pcs;
}

bool Code_Place(Stopped_Process& p, unsigned long long pc, std::string& path,
                unsigned long long& address) {
  Code_Module* m = Module_At(p, pc);
  if (m == nullptr) return false;
  path = m->path;
  address = pc - m->bias;
  return true;
}
