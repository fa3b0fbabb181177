# Tests of what the build hands to users: the `lrx` tool (run by lrx_tests), the exported
# symbols of the shared library, the public headers compiled on their own, and the installed
# package used from a separate project.

# The tool tests in tools/ run the `lrx` binary and the demo writer, read exported files with
# the netCDF C API, and run ncdump and Python's xarray on them as outside readers.
find_program(LRX_NCDUMP ncdump)
target_compile_definitions(lrx_tests PRIVATE
  LRX_TOOL_PATH="$<TARGET_FILE:lrx_cli>"
  LRX_WRITE_BLOCKS_PATH="$<TARGET_FILE:write_blocks>"
  LRX_GRID_TIMESERIES_PATH="$<TARGET_FILE:grid_timeseries>"
  LRX_NCDUMP_PATH="${LRX_NCDUMP}"
  LRX_PYTHON_PATH="/usr/bin/python3"
  LRX_TOOL_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tools")
target_link_libraries(lrx_tests PRIVATE lrx_tool_core)
target_include_directories(lrx_tests PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(lrx_tests lrx_cli write_blocks grid_timeseries)

if(CMAKE_NM)
  set(LRX_NM ${CMAKE_NM})
else()
  find_program(LRX_NM nm REQUIRED)
endif()

add_test(NAME exported_symbols_match_public_headers
  COMMAND ${CMAKE_COMMAND}
    -DLIBRARY=$<TARGET_FILE:lrx>
    -DNM=${LRX_NM}
    -DHEADER_DIR=${PROJECT_SOURCE_DIR}/include/lrx
    -DEXPORT_MACRO=LRX_EXPORT
    -P ${CMAKE_CURRENT_SOURCE_DIR}/abi/check_exports.cmake)
if(TARGET vnk)
  add_test(NAME unit_library_exports_match_its_header
    COMMAND ${CMAKE_COMMAND}
      -DLIBRARY=$<TARGET_FILE:vnk>
      -DNM=${LRX_NM}
      -DHEADER_DIR=${PROJECT_SOURCE_DIR}/include/vnk
      -DEXPORT_MACRO=VNK_EXPORT
      -P ${CMAKE_CURRENT_SOURCE_DIR}/abi/check_exports.cmake)
endif()

add_test(NAME public_headers_compile_as_c_and_cxx
  COMMAND ${CMAKE_COMMAND}
    -DINCLUDE_DIR=${PROJECT_SOURCE_DIR}/include
    -DC_COMPILER=${CMAKE_C_COMPILER}
    -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/public_headers
    -P ${CMAKE_CURRENT_SOURCE_DIR}/abi/check_public_headers.cmake)

add_test(NAME installed_package_links_c_consumer
  COMMAND ${CMAKE_COMMAND}
    -DLRX_BUILD_DIR=${PROJECT_BINARY_DIR}
    -DCONFIG=$<CONFIG>
    -DCONSUMER_DIR=${CMAKE_CURRENT_SOURCE_DIR}/install_consumer
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install_consumer
    -DGENERATOR=${CMAKE_GENERATOR}
    -DC_COMPILER=${CMAKE_C_COMPILER}
    -DSANITIZE=${LRX_SANITIZE}
    -P ${CMAKE_CURRENT_SOURCE_DIR}/install_consumer/run.cmake)
