# The Fortran cross-check of legacy pairs: one small program built with gfortran twice, in the
# machine's byte order and in big-endian order. Without gfortran the test skips.
find_program(LRX_GFORTRAN gfortran)
if(LRX_GFORTRAN)
  set(pairio_source ${CMAKE_CURRENT_SOURCE_DIR}/legacy/pairio.f90)
  set(pairio_native ${CMAKE_CURRENT_BINARY_DIR}/pairio_native)
  set(pairio_big ${CMAKE_CURRENT_BINARY_DIR}/pairio_big)
  add_custom_command(OUTPUT ${pairio_native}
    COMMAND ${LRX_GFORTRAN} -O1 -o ${pairio_native} ${pairio_source}
    DEPENDS ${pairio_source}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(OUTPUT ${pairio_big}
    COMMAND ${LRX_GFORTRAN} -O1 -fconvert=big-endian -o ${pairio_big} ${pairio_source}
    DEPENDS ${pairio_source}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_target(legacy_fortran_programs DEPENDS ${pairio_native} ${pairio_big})
  add_dependencies(lrx_tests legacy_fortran_programs)
  target_compile_definitions(lrx_tests PRIVATE
    LRX_PAIRIO_NATIVE="${pairio_native}"
    LRX_PAIRIO_BIG="${pairio_big}")
endif()
