# Plays SCRIPT through TOOL and compares standard output with the .jsonl beside it
# (and, when a .stderr is there, the error message and exit status 2).
# Usage: cmake -DTOOL=... -DSCRIPT=dir/NAME.script -DACTUAL_DIR=... -P compare_transcript.cmake

get_filename_component(dir "${SCRIPT}" DIRECTORY)
get_filename_component(name "${SCRIPT}" NAME_WE)
set(expected "${dir}/${name}.jsonl")
set(expected_stderr "${dir}/${name}.stderr")
set(actual "${ACTUAL_DIR}/${name}.jsonl")
set(actual_stderr "${ACTUAL_DIR}/${name}.stderr")

if(NOT EXISTS "${expected}")
  message(FATAL_ERROR "no expected transcript ${expected}")
endif()
file(MAKE_DIRECTORY "${ACTUAL_DIR}")

execute_process(COMMAND "${TOOL}"
  INPUT_FILE "${SCRIPT}"
  OUTPUT_FILE "${actual}"
  ERROR_FILE "${actual_stderr}"
  RESULT_VARIABLE status)

set(want_status 0)
if(EXISTS "${expected_stderr}")
  set(want_status 2)
endif()
if(NOT status STREQUAL want_status)
  file(READ "${actual_stderr}" err)
  message(FATAL_ERROR "${name}: exit status ${status}, expected ${want_status}\n${err}")
endif()

function(expect_same_file want got)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${want}" "${got}" RESULT_VARIABLE differs)
  if(differs)
    execute_process(COMMAND diff -u "${want}" "${got}" OUTPUT_VARIABLE diff_text)
    message(FATAL_ERROR "${name}: ${got} differs from ${want}\n${diff_text}")
  endif()
endfunction()

expect_same_file("${expected}" "${actual}")
if(EXISTS "${expected_stderr}")
  expect_same_file("${expected_stderr}" "${actual_stderr}")
endif()
