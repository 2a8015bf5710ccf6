# Compresses IN into OUT as Debian wants manual pages and changelogs: gzip -9,
# without the file's name and time in the header, so the same input always
# gives the same bytes.
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
execute_process(COMMAND gzip -9 --no-name --stdout ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${IN}: ${status}")
endif()
