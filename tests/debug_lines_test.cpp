// The DWARF readers on saved programs: tests/debug_lines/lines.cpp built in
// the folder /tmp/作业 by g++ 12 (`g++ -g -O2 -o lines.elf lines.cpp`) and by
// mingw-w64 (`x86_64-w64-mingw32-g++ -g -O2 -nostdlib -Wl,-e,main -o lines.exe
// lines_pe.cpp`), and arrays.cpp by `g++ -g -O0 -o arrays.elf arrays.cpp`.
// Their addresses below are read off `objdump -d`.
#include <gtest/gtest.h>

#include "console/text.h"
#include "launch/debug_lines.h"
#include "launch/local_arrays.h"
#include "launch/program_bytes.h"
#include "launch/symbols.h"
#include "test_text.h"

namespace {

struct Saved {
  std::string file;
  unsigned long long division;     // share's idiv: line 4, in a row that is no statement's
  unsigned long long trap;         // stop's ud2
  size_t line_str, line_str_size;  // where .debug_line_str lies in the file, and its size
  size_t line_section;             // where .debug_line lies
};

const Saved SAVED[] = {
    {"lines.elf", 0x1183, 0x1040, 0x3529, 0x16, 0x3385},
    {"lines.exe", 0x140001005, 0x140001020, 0x1a00, 0x49, 0x1600},
};

std::string Bytes_Of(const Saved& saved) {
  return Read_File_Bytes(std::string(TWS_DEBUG_LINES) + "/" + saved.file);
}

TEST(DebugLines, SavedProgramsAreReadForLinesAndCode) {
  for (const Saved& saved : SAVED) {
    SCOPED_TRACE(saved.file);
    Line_Tables tables;
    ASSERT_TRUE(Parse_Line_Tables(Bytes_Of(saved), tables));
    EXPECT_TRUE(tables.present);
    EXPECT_FALSE(tables.damaged);
    std::string file;
    int line = 0;
    ASSERT_TRUE(Find_Line(tables, saved.division, file, line));
    EXPECT_EQ(file, "/tmp/作业/lines.cpp");
    EXPECT_EQ(line, 4);  // the division's own row, though another at its address starts line 5
    ASSERT_TRUE(Find_Line(tables, saved.division, file, line, true));
    EXPECT_EQ(line, saved.file == "lines.elf" ? 5 : 4);
    EXPECT_FALSE(Find_Line(tables, 0x10, file, line));
    std::string code;
    ASSERT_TRUE(Read_Code(Bytes_Of(saved), saved.trap, 2, code));
    EXPECT_EQ(code, "\x0f\x0b");  // ud2
    EXPECT_FALSE(Read_Code(Bytes_Of(saved), 0x10, 2, code));
  }
}

TEST(DebugLines, APeProgramsFunctionsAreNamedFromItsSymbolTable) {
  std::string exe = Bytes_Of(SAVED[1]);
  EXPECT_EQ(Function_Symbol_At(exe, 0x140001005), "_Z5shareii");
  EXPECT_EQ(Function_Symbol_At(exe, 0x140001020), "_Z4stopv");
  EXPECT_EQ(Function_Symbol_At(exe, 0x140000010), "");                   // before any function
  EXPECT_EQ(Function_Symbol_At(Bytes_Of(SAVED[0]), 0x1183), "");         // ELF: addr2line's to name
  EXPECT_EQ(Function_Symbol_At(exe.substr(0, 0x200), 0x140001005), "");  // cut short
}

TEST(DebugLines, DamagedTablesAreToldFromMissingOnes) {
  for (const Saved& saved : SAVED) {
    SCOPED_TRACE(saved.file);
    Line_Tables tables;
    // A unit longer than its section.
    std::string bytes = Bytes_Of(saved);
    bytes.replace(saved.line_section, 4, "\xf0\xff\x00\x00", 4);
    EXPECT_FALSE(Parse_Line_Tables(bytes, tables));
    EXPECT_TRUE(tables.present && tables.damaged);
    // A version no DWARF has.
    tables = Line_Tables();
    bytes = Bytes_Of(saved);
    bytes.replace(saved.line_section + 4, 2, "\x09\x00", 2);
    EXPECT_FALSE(Parse_Line_Tables(bytes, tables));
    EXPECT_TRUE(tables.damaged);
    // File names that point at nothing.
    tables = Line_Tables();
    bytes = Bytes_Of(saved);
    bytes.replace(saved.line_str, saved.line_str_size, saved.line_str_size, '\0');
    EXPECT_FALSE(Parse_Line_Tables(bytes, tables));
    EXPECT_TRUE(tables.damaged);
    // Names that are no text are shown escaped, never as raw bytes.
    tables = Line_Tables();
    bytes = Bytes_Of(saved);
    for (size_t at = saved.line_str;
         (at = bytes.find("作业", at)) < saved.line_str + saved.line_str_size;)
      bytes.replace(at, 3, "\xff\xfe\xff", 3);
    ASSERT_TRUE(Parse_Line_Tables(bytes, tables));
    std::string file;
    int line = 0;
    ASSERT_TRUE(Find_Line(tables, saved.division, file, line));
    EXPECT_FALSE(Is_UTF8(file));
    EXPECT_TRUE(Is_UTF8(File_Name_Text(file))) << File_Name_Text(file);
  }
  // No line section at all: missing, not damaged.
  std::string bytes = Bytes_Of(SAVED[0]);
  size_t name = bytes.find(std::string(".debug_line\0", 12));
  ASSERT_NE(name, std::string::npos);
  bytes[name + 1] = 'X';
  Line_Tables tables;
  EXPECT_FALSE(Parse_Line_Tables(bytes, tables));
  EXPECT_FALSE(tables.present || tables.damaged);
  // A file cut short inside its headers is no program, and nothing is read past its end.
  bytes = Bytes_Of(SAVED[1]).substr(0, 0x50);
  EXPECT_FALSE(Parse_Line_Tables(bytes, tables));
  std::string code;
  EXPECT_FALSE(Read_Code(bytes, SAVED[1].trap, 2, code));
}

TEST(DebugLines, TheLargestLocalArrayOfAFunctionIsFoundWithItsLine) {
  std::string bytes = Read_File_Bytes(std::string(TWS_DEBUG_LINES) + "/arrays.elf");
  Local_Array array{"", 0, 0};
  // In a nested block, and larger than the function's own: 8 MB of long long.
  ASSERT_TRUE(Largest_Local_Array(bytes, 0x1150, array));
  EXPECT_EQ(array.name, "bigger");
  EXPECT_EQ(array.line, 7);
  EXPECT_EQ(array.bytes, 8 << 20);
  // A variable-length array is larger than any whose size is fixed.
  ASSERT_TRUE(Largest_Local_Array(bytes, 0x11cc, array));
  EXPECT_EQ(array.name, "vla");
  EXPECT_EQ(array.line, 17);
  EXPECT_EQ(array.bytes, -1);
  EXPECT_FALSE(Largest_Local_Array(bytes, 0x1130, array));  // use() has none
  EXPECT_FALSE(Largest_Local_Array(bytes, 0x10, array));    // no function there
  // Damaged: its abbreviations gone, nothing is found and nothing read past an end.
  std::vector<Section> sections;
  ASSERT_TRUE(Read_Sections(bytes, sections));
  size_t abbrev = bytes.find(Section_Bytes(bytes, sections, ".debug_abbrev"));
  ASSERT_NE(abbrev, std::string::npos);
  bytes.replace(abbrev, 16, 16, '\xff');
  EXPECT_FALSE(Largest_Local_Array(bytes, 0x1150, array));
}

}  // namespace
