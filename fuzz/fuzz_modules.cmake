# quiral_core_modules(OUT) sets OUT to every static library target named quiral_* defined so far
# in the project, without the test mains and Qt code, so fuzz targets can use any module
# without this list being kept up to date.
function(quiral_core_modules out)
  set(result "")
  set(dirs "${PROJECT_SOURCE_DIR}")
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "STATIC_LIBRARY" AND target MATCHES "^quiral_"
         AND NOT target MATCHES "^quiral_(test_main|app)" AND NOT target MATCHES "_qt$")
        list(APPEND result ${target})
      endif()
    endforeach()
    get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
  endwhile()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()
