# Every window text has a finished English translation: lupdate reads app/ into a copy of
# translations/quiral_en.ts, and each message it leaves unfinished (new in the code, or never
# translated) is listed. Fix: scripts/update-translations.sh, then translate what it adds.
# Usage: cmake -DSOURCE=<repository> -DLUPDATE=<lupdate> -DWORK=<scratch folder> -P this file
file(MAKE_DIRECTORY "${WORK}")
file(COPY_FILE "${SOURCE}/translations/quiral_en.ts" "${WORK}/quiral_en.ts")
execute_process(COMMAND "${LUPDATE}" -silent -locations none -no-obsolete -source-language pt_BR
    -target-language en -I "${SOURCE}" "${SOURCE}/app" -ts "${WORK}/quiral_en.ts"
  RESULT_VARIABLE _status ERROR_VARIABLE _errors)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${_status}): ${_errors}")
endif()
file(READ "${WORK}/quiral_en.ts" _text)
string(REGEX MATCHALL "<name>[^<]*</name>|<source>[^<]*</source>[ \r\n]*<translation type=\"unfinished\""
  _found "${_text}")
set(_missing "")
foreach(_item IN LISTS _found)
  if(_item MATCHES "^<name>([^<]*)</name>")
    set(_context "${CMAKE_MATCH_1}")
  elseif(_item MATCHES "^<source>([^<]*)</source>")
    string(APPEND _missing "\n  ${_context}: \"${CMAKE_MATCH_1}\"")
  endif()
endforeach()
if(_missing)
  message(FATAL_ERROR "Window texts without a finished English translation in translations/"
    "quiral_en.ts (run scripts/update-translations.sh and translate them):${_missing}")
endif()
