# A module list whose folders all exist passes; one with a lost folder (or a folder without its
# CMakeLists.txt) stops the configure step and names what is missing.
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/tree/one/CMakeLists.txt" "")
file(WRITE "${WORK}/tree/two/CMakeLists.txt" "")
file(MAKE_DIRECTORY "${WORK}/tree/empty")

function(check_folders expect_ok)
  file(WRITE "${WORK}/check.cmake"
    "include(\"${HELPERS}\")\nquiral_require_folders(\"${WORK}/tree\" ${ARGN})\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" -P "${WORK}/check.cmake"
    RESULT_VARIABLE status ERROR_VARIABLE err)
  if(expect_ok AND NOT status EQUAL 0)
    message(FATAL_ERROR "folders ${ARGN} all exist, but: ${err}")
  endif()
  if(NOT expect_ok AND status EQUAL 0)
    message(FATAL_ERROR "folders ${ARGN} include a missing one, yet the check passed")
  endif()
  set(err "${err}" PARENT_SCOPE)
endfunction()

check_folders(TRUE one two)
check_folders(FALSE one lost two)
string(REGEX REPLACE "[ \n]+" " " err "${err}")
if(NOT err MATCHES "tree: lost \\(")
  message(FATAL_ERROR "the message should name only the missing folder: ${err}")
endif()
check_folders(FALSE empty)
file(REMOVE_RECURSE "${WORK}")
