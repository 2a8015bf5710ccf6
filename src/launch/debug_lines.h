// The DWARF 5 line tables of a program (ELF or PE), read from its file: the
// file and line that each code address was compiled from. The addr2line of
// binutils 2.40 and 2.41 starts each row sequence of a DWARF 5 table in file
// 0 (the main source) where the standard says file 1, and so names a
// header's line as a line of the user's own file; this reading puts it right.
#pragma once

#include <string>
#include <vector>

struct Line_Row {
  unsigned long long address;  // the first address of the row's code
  unsigned long long end;      // 0, or the end of its sequence when it is the last row
  int file;                    // an index into Line_Tables::files
  int line;
  bool statement;  // it starts a statement (is_stmt): the line a reader would name
};

struct Line_Tables {
  std::vector<std::string> files;  // each file's path, folder and name joined
  std::vector<Line_Row> rows;      // every row of every DWARF 5 table, in table order
  bool present = false;            // the file has a line section at all
  bool damaged = false;            // and it cannot be read as DWARF: it was damaged
};

// Reads the tables from the bytes of an executable file. Tables of DWARF
// versions before 5, which addr2line reads right, are left out. False when
// the file is no ELF or PE file, or it has no such tables that can be read.
bool Parse_Line_Tables(const std::string& executable, Line_Tables& tables);

// The file and line that `address` was compiled from: the row that covers
// it, or with `statement` a row that starts a statement at the same address
// when that one does not; false when no row covers it.
bool Find_Line(const Line_Tables& tables, unsigned long long address, std::string& file, int& line,
               bool statement = false);
