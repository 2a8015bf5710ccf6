# Compresses IN into OUT with gzip, as Debian wants manual pages and changelogs.
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(ARCHIVE_CREATE OUTPUT ${OUT} PATHS ${IN} FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
