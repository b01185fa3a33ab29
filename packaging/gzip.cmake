# cmake -DGZIP=PROGRAM -DWEJSCIE=FILE -DWYJSCIE=FILE.gz -P gzip.cmake
# Compresses one file as Debian wants it: best compression, no name or time in the header, so
# that the same page gives the same bytes.
cmake_minimum_required(VERSION 3.25)

get_filename_component(katalog ${WYJSCIE} DIRECTORY)
file(MAKE_DIRECTORY ${katalog})
execute_process(COMMAND ${GZIP} -9 -n -c ${WEJSCIE} OUTPUT_FILE ${WYJSCIE}.tmp RESULT_VARIABLE wynik)
if(NOT wynik EQUAL 0)
  file(REMOVE ${WYJSCIE}.tmp)
  message(FATAL_ERROR "gzip ${WEJSCIE}: ${wynik}")
endif()
file(RENAME ${WYJSCIE}.tmp ${WYJSCIE})
