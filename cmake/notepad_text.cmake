# Writes IN to OUT as Windows' Notepad shows it best: CR LF line ends. With
# GUIDE=ON, IN is the guide's Markdown: it is made plain text first
# (cmake/plain_text.cmake) and gets a byte order mark, so that every Notepad
# reads it as UTF-8.
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
if(GUIDE)
  include(${CMAKE_CURRENT_LIST_DIR}/plain_text.cmake)
  tws_plain_text("${text}" text)
  string(ASCII 239 187 191 bom)
  set(text "${bom}${text}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
