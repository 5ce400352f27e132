# Writes OUTPUT, a SHA256SUMS file in the form sha256sum reads and writes: the SHA-256 checksum
# of ARCHIVE (named by its file name) and of each file of the release folder FOLDER (named
# <folder name>/<path>), in the order of ENTRIES, paths inside FOLDER separated by "|".
get_filename_component(archive_name ${ARCHIVE} NAME)
get_filename_component(folder_name ${FOLDER} NAME)
file(SHA256 ${ARCHIVE} sum)
set(lines "${sum}  ${archive_name}\n")
string(REPLACE "|" ";" entries "${ENTRIES}")
foreach(entry IN LISTS entries)
  file(SHA256 ${FOLDER}/${entry} sum)
  string(APPEND lines "${sum}  ${folder_name}/${entry}\n")
endforeach()
file(WRITE ${OUTPUT} "${lines}")
