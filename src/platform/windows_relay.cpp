// Relaying a program's output on Windows: through a pipe for each stream,
// each read by a thread of its own so that neither can fill and stall it.
#include <algorithm>
#include <thread>

#include "platform/windows_internal.h"

namespace {
const size_t COPY_LIMIT = 8 << 20;  // bytes of each stream kept in the copy

// How many of the bytes make whole UTF-8 characters: a console shows a
// character cut in two as two marks of nonsense.
size_t Whole_Characters(const std::string& bytes) {
  size_t size = bytes.size();
  for (size_t back = 1; back <= 3 && back <= size; ++back) {
    unsigned char c = static_cast<unsigned char>(bytes[size - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return length > back ? size - back : size;
  }
  return size;
}

// Passes on what the pipe brings, untouched, until its writers have all gone.
// With a gate, the bytes are held back in `held` for the gate to judge once
// the program has ended (asked early when they outgrow the copy); with no
// `to`, only the copy is kept.
void Relay_Pipe(HANDLE from, HANDLE to, std::string* copy, const Relay_Gate* gate,
                std::string* held) {
  std::string pending;  // held back: the start of a character
  bool silent = to == nullptr;
  char buffer[16384];
  DWORD got;
  while (ReadFile(from, buffer, static_cast<DWORD>(sizeof buffer), &got, nullptr) && got > 0) {
    if (copy->size() < COPY_LIMIT)
      copy->append(buffer, std::min<size_t>(got, COPY_LIMIT - copy->size()));
    if (silent) continue;
    pending.append(buffer, got);
    if (gate && pending.size() < COPY_LIMIT) continue;
    if (gate) silent = !(*gate)(pending, Program_End{false, false, 0});
    gate = nullptr;
    size_t whole = silent ? 0 : Whole_Characters(pending);
    DWORD done;
    if (whole > 0) WriteFile(to, pending.data(), static_cast<DWORD>(whole), &done, nullptr);
    pending.erase(0, silent ? pending.size() : whole);
  }
  if (gate) {
    *held = pending;  // judged once the program's end is known
    return;
  }
  DWORD done;
  if (!pending.empty())
    WriteFile(to, pending.data(), static_cast<DWORD>(pending.size()), &done, nullptr);
}

// A pipe whose writing end the program inherits and whose reading end stays
// here; false when it cannot be made.
bool Open_Pipe(Handle& read, Handle& write) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  if (!CreatePipe(&read.h, &write.h, &inherit, 0)) return false;
  SetHandleInformation(read.h, HANDLE_FLAG_INHERIT, 0);
  return true;
}

// Runs argv with its output relayed to `out_to` and `errors_to` (nullptr: to
// nowhere), copies kept, standard error through the gate `passes` if any.
Program_End Relay_To(const std::vector<std::string>& argv, HANDLE out_to, HANDLE errors_to,
                     std::string& out, std::string& errors, const Relay_Gate& passes,
                     std::string* err) {
  Handle read_out, write_out, read_err, write_err;
  if (!Open_Pipe(read_out, write_out) || !Open_Pipe(read_err, write_err)) {
    DWORD error = GetLastError();
    return Not_Started(error, err);
  }
  std::string held;
  bool gated = passes && errors_to != nullptr;
  Program_End end = Run_With(
      argv, "", &write_out, &write_err,
      [&](const PROCESS_INFORMATION&) {
        std::thread stderr_relay(Relay_Pipe, read_err.h, errors_to, &errors,
                                 gated ? &passes : nullptr, &held);
        Relay_Pipe(read_out.h, out_to, &out, nullptr, nullptr);
        stderr_relay.join();
      },
      err);
  DWORD done;
  if (gated && !held.empty() && passes(held, end))
    WriteFile(errors_to, held.data(), static_cast<DWORD>(held.size()), &done, nullptr);
  return end;
}
}  // namespace

Program_End Relay_Program(const std::vector<std::string>& argv, std::string& out,
                          std::string& errors, std::string* err, const Relay_Gate& passes) {
  return Relay_To(argv, GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE), out,
                  errors, passes, err);
}

Program_End Run_Quietly(const std::vector<std::string>& argv, std::string& out, std::string* err) {
  std::string ignored;
  return Relay_To(argv, nullptr, nullptr, out, ignored, {}, err);
}
