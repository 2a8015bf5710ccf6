#include "launch/debug_lines.h"

#include "launch/program_bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// The debug sections a line table needs, as byte ranges of the file.
struct Sections {
  std::string line, line_str, str;
};

// One field of a directory or file entry, in the form its table gives.
std::string Read_Field(Bytes& b, unsigned long long form, int offset_size, const Sections& s,
                       unsigned long long& number) {
  switch (form) {
    case 0x08:
      return b.String();  // string
    case 0x1f:
      return String_At(s.line_str, b.Fixed(offset_size));  // line_strp
    case 0x0e:
      return String_At(s.str, b.Fixed(offset_size));  // strp
    case 0x0f:
      number = b.Uleb();
      return "";  // udata
    case 0x0b:
      number = b.Fixed(1);
      return "";  // data1
    case 0x05:
      number = b.Fixed(2);
      return "";  // data2
    case 0x06:
      number = b.Fixed(4);
      return "";  // data4
    case 0x07:
      number = b.Fixed(8);
      return "";  // data8
    case 0x1e:
      b.Skip(16);
      return "";  // data16
    case 0x09:
      b.Skip(b.Uleb());
      return "";  // block
    default:
      b.ok = false;
      return "";
  }
}

// A directory or file table of a DWARF 5 header: each entry's path and
// directory index.
std::vector<std::pair<std::string, unsigned long long>> Read_Entries(Bytes& b, int offset_size,
                                                                     const Sections& s) {
  std::vector<std::pair<unsigned long long, unsigned long long>> format(b.Fixed(1));
  for (auto& field : format) field = {b.Uleb(), b.Uleb()};
  std::vector<std::pair<std::string, unsigned long long>> entries(b.ok ? b.Uleb() : 0);
  for (auto& entry : entries)
    for (const auto& [content, form] : format) {
      unsigned long long number = 0;
      std::string text = Read_Field(b, form, offset_size, s, number);
      if (content == 1) entry.first = text;     // DW_LNCT_path
      if (content == 2) entry.second = number;  // DW_LNCT_directory_index
    }
  return entries;
}

bool Is_Absolute(const std::string& path) {
  return !path.empty() &&
         (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'));
}

// The header of one table, up to its program.
struct Table_Header {
  int min_length, line_base, line_range, opcode_base;
  bool statement;              // whether a row starts a statement until told otherwise
  std::vector<int> arguments;  // of each standard opcode
  std::vector<int> files;      // each file's index in Line_Tables::files
};

bool Read_Header(Bytes& b, int offset_size, const Sections& s, Table_Header& h, Line_Tables& t) {
  b.Fixed(2);  // address and segment selector sizes
  unsigned long long length = b.Fixed(offset_size);
  size_t program = b.at + length;
  h.min_length = static_cast<int>(b.Fixed(1));
  b.Fixed(1);  // maximum operations per instruction
  h.statement = b.Fixed(1) != 0;
  h.line_base = static_cast<signed char>(b.Fixed(1));
  h.line_range = static_cast<int>(b.Fixed(1));
  h.opcode_base = static_cast<int>(b.Fixed(1));
  h.arguments.assign(1, 0);
  for (int i = 1; i < h.opcode_base; i++) h.arguments.push_back(static_cast<int>(b.Fixed(1)));
  auto folders = Read_Entries(b, offset_size, s);
  auto files = Read_Entries(b, offset_size, s);
  for (const auto& [name, folder] : files) {
    if (name.empty()) return false;  // a name that points nowhere
    std::string path = name;
    if (!Is_Absolute(name) && folder < folders.size()) path = folders[folder].first + "/" + name;
    h.files.push_back(static_cast<int>(t.files.size()));
    t.files.push_back(path);
  }
  b.at = program;
  return b.ok && h.line_range > 0;
}

}  // namespace

namespace {

// Runs one table's line program, adding its rows.
void Run_Line_Program(Bytes& b, const Table_Header& h, Line_Tables& t) {
  unsigned long long address = 0, file = 1;
  long long line = 1;
  bool statement = h.statement;
  size_t sequence = t.rows.size();  // the first row of the sequence under way
  auto add_row = [&]() {
    if (file < h.files.size())
      t.rows.push_back({address, 0, h.files[file], static_cast<int>(line), statement});
  };
  while (b.ok && b.at < b.end) {
    int op = static_cast<int>(b.Fixed(1));
    if (op >= h.opcode_base) {  // a special opcode: a step in address and line, and a row
      int step = op - h.opcode_base;
      address += static_cast<unsigned long long>(step / h.line_range * h.min_length);
      line += h.line_base + step % h.line_range;
      add_row();
      continue;
    }
    switch (op) {
      case 0: {  // an extended opcode
        unsigned long long length = b.Uleb();
        if (length > b.end - b.at) b.ok = false;
        size_t next = b.ok ? b.at + length : b.end;
        int sub = length == 0 ? 0 : static_cast<int>(b.Fixed(1));
        if (sub == 1) {  // end_sequence: the address after the sequence's last byte
          if (t.rows.size() > sequence) t.rows.back().end = address;
          address = 0, file = 1, line = 1, statement = h.statement;
          sequence = t.rows.size();
        }
        if (sub == 2 && length > 1) address = b.Fixed(length - 1);
        b.at = next;
        break;
      }
      case 1:
        add_row();
        break;
      case 2:
        address += b.Uleb() * static_cast<unsigned long long>(h.min_length);
        break;
      case 3:
        line += b.Sleb();
        break;
      case 4:
        file = b.Uleb();
        break;
      case 6:
        statement = !statement;
        break;
      case 8:
        address +=
            static_cast<unsigned long long>((255 - h.opcode_base) / h.line_range * h.min_length);
        break;
      case 9:
        address += b.Fixed(2);
        break;
      default:
        for (int i = 0; i < h.arguments[static_cast<size_t>(op)]; i++) b.Uleb();
    }
  }
}

}  // namespace

bool Parse_Line_Tables(const std::string& executable, Line_Tables& tables) {
  std::vector<Section> sections;
  if (!Read_Sections(executable, sections)) return false;
  std::map<std::string, std::string> found;
  for (const Section& section : sections)
    if (!section.compressed && section.offset + section.size <= executable.size())
      found[section.name] = executable.substr(section.offset, section.size);
  Sections s{found[".debug_line"], found[".debug_line_str"], found[".debug_str"]};
  tables.present = !s.line.empty();
  for (size_t at = 0; at + 4 <= s.line.size();) {
    Bytes b{s.line, at, s.line.size()};
    int offset_size = 4;
    unsigned long long length = b.Fixed(4);
    if (length == 0xffffffff) {
      offset_size = 8;
      length = b.Fixed(8);
    }
    if (length == 0) break;  // padding at the section's end
    Bytes unit{s.line, b.at, b.at + static_cast<size_t>(length)};
    unsigned long long version = unit.Fixed(2);
    tables.damaged = b.at + length > s.line.size() || version < 2 || version > 5;
    if (tables.damaged) return false;
    at = unit.end;
    if (version != 5) continue;
    Table_Header h;
    tables.damaged = !Read_Header(unit, offset_size, s, h, tables);
    if (!tables.damaged) Run_Line_Program(unit, h, tables);
    if (tables.damaged || !unit.ok) {
      tables.damaged = true;
      return false;
    }
  }
  return !tables.rows.empty();
}

bool Find_Line(const Line_Tables& tables, unsigned long long address, std::string& file, int& line,
               bool statement) {
  const std::vector<Line_Row>& rows = tables.rows;
  for (size_t i = 0; i < rows.size(); i++) {
    unsigned long long end = rows[i].end != 0      ? rows[i].end
                             : i + 1 < rows.size() ? rows[i + 1].address
                                                   : rows[i].address;
    if (address < rows[i].address || address >= end) continue;
    size_t best = i;
    for (size_t k = i;
         statement && k-- > 0 && rows[k].address == rows[i].address && rows[k].end == 0;)
      if (!rows[best].statement && rows[k].statement) best = k;
    file = tables.files[static_cast<size_t>(rows[best].file)];
    line = rows[best].line;
    return true;
  }
  return false;
}
