# cmake -DPROBKA=belvastrona-sample -DBUDOWA=belvastrona-build -DDOKUMENTY=N -DZRODLO=DIR -DDANE=DIR
#       -P korpus.cmake
# The sample corpus that is installed with the program: a generated source folder (seed 1, so
# every build makes the same documents) built into a data directory. The tools' progress is
# shown only when one of them fails. The source folder is removed afterwards.
cmake_minimum_required(VERSION 3.25)

function(krok)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE wynik OUTPUT_VARIABLE wyjscie ERROR_VARIABLE wyjscie)
  if(NOT wynik EQUAL 0)
    list(JOIN ARGN " " polecenie)
    message(FATAL_ERROR "${polecenie}: ${wynik}\n${wyjscie}")
  endif()
endfunction()

file(REMOVE_RECURSE ${ZRODLO})
krok(${PROBKA} --documents ${DOKUMENTY} --seed 1 ${ZRODLO})
krok(${BUDOWA} ${ZRODLO} ${DANE})
file(REMOVE_RECURSE ${ZRODLO})
# The reports' folder comes with the first report, in the user's working folder.
file(GLOB raporty ${DANE}/Raporty/*)
if(NOT raporty)
  file(REMOVE_RECURSE ${DANE}/Raporty)
endif()
