// Memory as the strict judges count it: a judge that limits a program's
// address space (NOI Linux's, Lemon) refuses one whose global and static
// variables alone are past the memory limit, however little of them it
// touches, so such a program gets MLE before it runs.
#pragma once

#include <string>
#include <vector>

#include "launch/samples.h"

// The bytes of static data (the writable sections: .data, .bss and the
// like) in the executable `bytes`; -1 when it is no ELF or PE file.
long long Static_Data_Bytes(const std::string& bytes);

// The static data of the program at `program` when it is more than `limit`
// bytes; 0 when it is not, or the file cannot be read as ELF or PE.
long long Static_Data_Past(const std::string& program, long long limit);

// MLE for every sample, none of them run, why, and "通过 0/n".
std::string Static_Data_Lines(const std::vector<Sample>& samples, long long data, long long limit);

// Why 对拍 does not run the program `name`.
std::string Static_Data_Stress_Line(const std::string& name, long long data, long long limit);
