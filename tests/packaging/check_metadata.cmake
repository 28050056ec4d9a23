# The desktop entry and the AppStream metadata pass the validators a software centre trusts.
#   cmake -DDESKTOP=... -DMETAINFO=... -P check_metadata.cmake
foreach(tool desktop-file-validate appstreamcli)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(FATAL_ERROR "${tool} is missing (scripts/install-deps.sh --tests installs it)")
  endif()
endforeach()
execute_process(COMMAND ${found_desktop-file-validate} "${DESKTOP}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR out MATCHES "error|warning" OR err MATCHES "error|warning")
  message(FATAL_ERROR "desktop-file-validate ${DESKTOP}: ${status}\n${out}${err}")
endif()
execute_process(COMMAND ${found_appstreamcli} validate --no-net "${METAINFO}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate ${METAINFO}: ${status}\n${out}${err}")
endif()
