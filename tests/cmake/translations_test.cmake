# Every text of the window has a finished English translation: lupdate reads app/ into a copy of
# translations/quiral_en.ts, and any message it leaves unfinished (a text new in the code, or one
# never translated) is listed. Fix: run scripts/update-translations.sh and translate what it adds.
# Usage: cmake -DSOURCE=<repository> -DLUPDATE=<lupdate> -DWORK=<scratch folder> -P this file
set(_ts "${WORK}/quiral_en.ts")
file(MAKE_DIRECTORY "${WORK}")
file(COPY_FILE "${SOURCE}/translations/quiral_en.ts" "${_ts}")
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none -no-obsolete -source-language pt_BR
    -target-language en -I "${SOURCE}" "${SOURCE}/app" -ts "${_ts}"
  RESULT_VARIABLE _status ERROR_VARIABLE _errors)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${_status}): ${_errors}")
endif()

file(READ "${_ts}" _text)
# A message is a context's <name>, then its <message>s; an unfinished one ends in
# <translation type="unfinished">.
string(REGEX MATCHALL "<name>[^<]*</name>|<source>[^<]*</source>[ \r\n]*<translation type=\"unfinished\""
  _found "${_text}")
set(_context "")
set(_missing "")
foreach(_item IN LISTS _found)
  if(_item MATCHES "^<name>([^<]*)</name>")
    set(_context "${CMAKE_MATCH_1}")
  elseif(_item MATCHES "^<source>([^<]*)</source>")
    string(APPEND _missing "\n  ${_context}: \"${CMAKE_MATCH_1}\"")
  endif()
endforeach()
if(_missing)
  message(FATAL_ERROR "Window texts without a finished English translation in "
    "translations/quiral_en.ts (run scripts/update-translations.sh and translate them):${_missing}")
endif()
message(STATUS "every window text has its English translation")
