# What a user gets: the Windows programs' icon and version resource, the
# install rules, and the two packages made with CPack: a zip for Windows and a
# .deb for Debian and Ubuntu. The version is the project's.

if(WIN32)
  enable_language(RC)
  file(STRINGS LICENSE TWS_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
  foreach(program ${TWS_PROGRAMS})
    set(TWS_PROGRAM ${program})
    set(TWS_DESCRIPTION "${TWS_DESCRIPTION_${program}}")
    set(TWS_COMMENT "${TWS_COMMENT_${program}}")
    set(TWS_ICON "${CMAKE_SOURCE_DIR}/res/${program}.ico")
    configure_file(res/version.rc.in ${CMAKE_BINARY_DIR}/res/${program}.rc @ONLY)
    target_sources(${program} PRIVATE ${CMAKE_BINARY_DIR}/res/${program}.rc)
  endforeach()
endif()

# The Chinese guide and the licence as Windows' Notepad reads them best: plain
# text with CR LF line ends, the guide wrapped to Notepad's width and marked
# as UTF-8. Made in every build, so that the tests can read them.
set(TWS_GUIDE_TXT "${CMAKE_BINARY_DIR}/使用说明.txt")
set(TWS_LICENSE_TXT "${CMAKE_BINARY_DIR}/LICENSE.txt")
add_custom_command(OUTPUT ${TWS_GUIDE_TXT}
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/docs/guide.zh-CN.md -DOUT=${TWS_GUIDE_TXT}
    -DGUIDE=ON -P ${CMAKE_SOURCE_DIR}/cmake/notepad_text.cmake
  DEPENDS docs/guide.zh-CN.md cmake/notepad_text.cmake cmake/plain_text.cmake)
add_custom_command(OUTPUT ${TWS_LICENSE_TXT}
  COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/LICENSE -DOUT=${TWS_LICENSE_TXT}
    -P ${CMAKE_SOURCE_DIR}/cmake/notepad_text.cmake
  DEPENDS LICENSE cmake/notepad_text.cmake)
add_custom_target(tws_guide ALL DEPENDS ${TWS_GUIDE_TXT} ${TWS_LICENSE_TXT})

if(WIN32)
  install(TARGETS ${TWS_PROGRAMS} RUNTIME DESTINATION .)
  install(FILES ${TWS_GUIDE_TXT} ${TWS_LICENSE_TXT} DESTINATION .)
else()
  include(GNUInstallDirs)
  set(TWS_DOC ${CMAKE_INSTALL_DATADIR}/doc/tarnwickstone)
  install(TARGETS ${TWS_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES docs/guide.zh-CN.md README.md DESTINATION ${TWS_DOC})
  # Debian wants the licence as the package's copyright file and a changelog,
  # and manual pages compressed.
  install(FILES LICENSE DESTINATION ${TWS_DOC} RENAME copyright)
  install(FILES res/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME tarnwickstone)
  foreach(page tarnwickstone.1 tarnwickstone-launch.1 tarnwickstone-cc.1 changelog)
    set(gz ${CMAKE_BINARY_DIR}/gz/${page}.gz)
    if(page STREQUAL changelog)
      set(source ${CMAKE_BINARY_DIR}/changelog)
      configure_file(docs/changelog.in ${source} @ONLY)
    else()
      set(source ${CMAKE_SOURCE_DIR}/docs/man/${page})
    endif()
    add_custom_command(OUTPUT ${gz}
      COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${gz} -P ${CMAKE_SOURCE_DIR}/cmake/gzip.cmake
      DEPENDS ${source} cmake/gzip.cmake)
    list(APPEND TWS_GZ ${gz})
    if(page STREQUAL changelog)
      install(FILES ${gz} DESTINATION ${TWS_DOC})
    else()
      install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  add_custom_target(tws_gz ALL DEPENDS ${TWS_GZ})
endif()

set(CPACK_PACKAGE_NAME tarnwickstone)
set(CPACK_PACKAGE_VENDOR "Tarnwickstone founding team")
set(CPACK_PACKAGE_CONTACT "Tarnwickstone founding team <team@tarnwickstone.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menu-driven C++ environment for Chinese beginners")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarnwickstone-${PROJECT_VERSION}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "g++")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarnwickstone.invalid/")
  # The synopsis comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the rest.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarnwickstone is a small, menu-driven development environment for
single-file C++ programs in a text console, for beginners who read and
write Chinese. From numbered menus they create a source file, open it in
their text editor, compile it with their compiler and start the program.
Every page and message is Simplified Chinese.

The package also holds tarnwickstone-launch, which runs a program on its
contest samples with a judge's verdict for each, keeps its window open and
explains how it ended, and tarnwickstone-cc, which runs g++ and explains its
error messages in Chinese, full-width punctuation first.")
endif()
include(CPack)
