# Installs the built library into a fresh prefix, then configures, builds and runs the
# consumer project of this folder against it. Run with cmake -P and -DLRX_BUILD_DIR,
# -DCONFIG, -DCONSUMER_DIR, -DWORK_DIR, -DGENERATOR, -DC_COMPILER, -DSANITIZE.
cmake_minimum_required(VERSION 3.20)

function(run_step what)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE output
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}")
  endif()
  message(STATUS "${what}: ok")
  set(step_output "${output}" PARENT_SCOPE)
endfunction()

set(prefix "${WORK_DIR}/prefix")
set(build "${WORK_DIR}/build")
file(REMOVE_RECURSE "${WORK_DIR}")

set(config_args "")
if(CONFIG)
  set(config_args --config "${CONFIG}")
endif()
run_step("install" "${CMAKE_COMMAND}" --install "${LRX_BUILD_DIR}" --prefix "${prefix}" ${config_args})

foreach(installed include/lrx/lrx.h include/lrx/trace.h include/lrx/gbx.h)
  if(NOT EXISTS "${prefix}/${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
file(GLOB_RECURSE package_files RELATIVE "${prefix}" "${prefix}/*lrxConfig.cmake"
  "${prefix}/*lrxConfigVersion.cmake" "${prefix}/*/pkgconfig/lrx.pc" "${prefix}/*/liblrx.so")
list(LENGTH package_files package_count)
if(NOT package_count EQUAL 4)
  message(FATAL_ERROR "expected liblrx.so, lrxConfig.cmake, lrxConfigVersion.cmake and lrx.pc, found: ${package_files}")
endif()

# A library built with sanitizers needs their runtime in the program that loads it.
set(sanitize_args "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined -fno-sanitize-recover=all")
  set(sanitize_args "-DCMAKE_C_FLAGS=${flags}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
endif()

set(ENV{PKG_CONFIG_PATH} "")
run_step("configure consumer" "${CMAKE_COMMAND}" -S "${CONSUMER_DIR}" -B "${build}"
  -G "${GENERATOR}" "-DCMAKE_C_COMPILER=${C_COMPILER}" "-DCMAKE_PREFIX_PATH=${prefix}"
  ${sanitize_args})
run_step("build consumer" "${CMAKE_COMMAND}" --build "${build}")

foreach(program consumer_cmake consumer_pkgconfig)
  run_step("run ${program}" "${build}/${program}")
  if(NOT step_output MATCHES "lrx record-stream version 104")
    message(FATAL_ERROR "${program} printed: ${step_output}")
  endif()
endforeach()
