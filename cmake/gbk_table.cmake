# Writes OUT, the two-byte GBK characters as UTF-8 for the POSIX programs, in
# C++: one string literal for every lead byte 0x81 to 0xFE with every second
# byte 0x40 to 0xFE, "" where the pair is no character. The build machine's
# iconv (every glibc has it) converts them once, here, so that the programs,
# linked statically, never start it or load glibc's converters at run time.
# Run as: cmake -DICONV=<iconv> -DOUT=<file> -P gbk_table.cmake
set(pairs "")
foreach(lead RANGE 129 254)
  string(ASCII ${lead} lead_byte)
  foreach(trail RANGE 64 254)
    if(NOT trail EQUAL 127)
      string(ASCII ${trail} trail_byte)
      string(APPEND pairs "${lead_byte}${trail_byte}")
    endif()
    string(APPEND pairs "\n")
  endforeach()
endforeach()
file(WRITE "${OUT}.gbk" "${pairs}")
# -c leaves out what is no character, keeping its line; its status then says so.
execute_process(COMMAND "${ICONV}" -c -f GBK -t UTF-8 "${OUT}.gbk" OUTPUT_FILE "${OUT}.utf8"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
file(REMOVE "${OUT}.gbk")
file(READ "${OUT}.utf8" cells)
file(REMOVE "${OUT}.utf8")
string(REGEX MATCHALL "\n" ends "${cells}")
list(LENGTH ends count)
# 126 lead bytes by 191 second bytes: a line more or less would shift every character.
if(NOT count EQUAL 24066)
  message(FATAL_ERROR "${ICONV} made ${count} lines of the GBK table, not 24066: ${errors}")
endif()
# No GBK character is a quote or a backslash, so the cells need no escaping.
string(REPLACE "\n" "\",\n\"" literals "${cells}")
file(WRITE "${OUT}" "// Made by cmake/gbk_table.cmake at build time.\n\"${literals}\"\n")
