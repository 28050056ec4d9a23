# Installs BUILD_DIR into PREFIX (emptied first) and checks the installed layout: the programs in
# bin/, the desktop entry and the icon in the hicolor theme (WITH_APP), each program's version.
function(fail what)
  message(FATAL_ERROR "${what}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  fail("cmake --install failed: ${status}")
endif()

set(programs quiral-cli)
if(WITH_APP)
  list(APPEND programs quiral)
  foreach(file applications/quiral.desktop icons/hicolor/scalable/apps/quiral.svg
               icons/hicolor/48x48/apps/quiral.png icons/hicolor/128x128/apps/quiral.png)
    if(NOT EXISTS "${PREFIX}/share/${file}")
      fail("not installed: share/${file}")
    endif()
  endforeach()
  # The entry starts the installed program by name and names the installed icon.
  file(READ "${PREFIX}/share/applications/quiral.desktop" entry)
  set(entry "\n${entry}")
  foreach(line "[Desktop Entry]" "Type=Application" "Exec=quiral %f" "Icon=quiral")
    string(FIND "${entry}" "\n${line}\n" at)
    if(at LESS 0)
      fail("the desktop entry lacks \"${line}\"")
    endif()
  endforeach()
  string(FIND "${entry}" "\nCategories=Science;Electronics;Engineering;\n" at)
  if(at LESS 0)
    fail("the desktop entry's categories are not Science;Electronics;Engineering;")
  endif()
  foreach(key Name GenericName Comment)
    if(NOT entry MATCHES "\n${key}=[^\n]")
      fail("the desktop entry has no ${key}")
    endif()
  endforeach()
endif()

# --version needs no display, so the windowed program answers it here too.
foreach(program ${programs})
  execute_process(COMMAND "${PREFIX}/bin/${program}" --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    fail("${program} --version: status ${status}, \"${out}\" ${err}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
