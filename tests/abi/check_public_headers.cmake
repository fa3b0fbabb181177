# Compiles each public header on its own, included twice, as C99 and as C++ with every
# warning an error, so that a header that needs another included first, lacks its guard or
# uses what C or C++ does not accept fails here. Run with cmake -P and -DINCLUDE_DIR,
# -DC_COMPILER, -DCXX_COMPILER, -DWORK_DIR.
cmake_minimum_required(VERSION 3.20)

set(C_FLAGS -std=c99 -Wall -Wextra -pedantic -Werror -Wstrict-prototypes)
set(CXX_FLAGS -Wall -Wextra -pedantic -Werror)

file(GLOB headers RELATIVE "${INCLUDE_DIR}" "${INCLUDE_DIR}/*/*.h")
if(NOT headers)
  message(FATAL_ERROR "no public headers in ${INCLUDE_DIR}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(failed FALSE)
function(compile_unit compiler source)
  execute_process(COMMAND "${compiler}" ${ARGN} -fsyntax-only "-I${INCLUDE_DIR}" "${source}"
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${source} (${ARGN}):\n${output}")
    set(failed TRUE PARENT_SCOPE)
  endif()
endfunction()

foreach(header IN LISTS headers)
  string(REGEX REPLACE "[/.]" "_" stem "${header}")
  set(unit "#include <${header}>\n#include <${header}>\nint main(void) { return 0; }\n")
  file(WRITE "${WORK_DIR}/${stem}_c99.c" "${unit}")
  file(WRITE "${WORK_DIR}/${stem}_cxx.cpp" "${unit}")
  compile_unit("${C_COMPILER}" "${WORK_DIR}/${stem}_c99.c" ${C_FLAGS})
  compile_unit("${CXX_COMPILER}" "${WORK_DIR}/${stem}_cxx.cpp" -std=c++11 ${CXX_FLAGS})
  compile_unit("${CXX_COMPILER}" "${WORK_DIR}/${stem}_cxx.cpp" -std=c++20 ${CXX_FLAGS})
endforeach()

if(failed)
  message(FATAL_ERROR "a public header does not compile on its own")
endif()
list(LENGTH headers count)
message(STATUS "${count} public headers compile as C99, C++11 and C++20")
