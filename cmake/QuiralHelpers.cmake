# quiral_require_folders(ROOT FOLDERS...) stops the configure step when a listed folder (a module,
# a test folder) has no CMakeLists.txt under ROOT: a lost folder must never be left out unnoticed.
function(quiral_require_folders root)
  set(missing "")
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS "${root}/${folder}/CMakeLists.txt")
      list(APPEND missing "${folder}")
    endif()
  endforeach()
  if(missing)
    list(JOIN missing ", " names)
    message(FATAL_ERROR "Listed but missing under ${root}: ${names} (each folder needs its CMakeLists.txt)")
  endif()
endfunction()

# quiral_module(NAME DEPS...) makes the static library quiral_NAME (alias quiral::NAME) from every
# .cpp in the calling folder; headers are included as "NAME/file.h" from the project root.
function(quiral_module name)
  file(GLOB _sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(quiral_${name} STATIC ${_sources})
  add_library(quiral::${name} ALIAS quiral_${name})
  target_include_directories(quiral_${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(quiral_${name} PUBLIC ${ARGN})
endfunction()

# quiral_test(NAME SOURCES... LIBS libs... [QT]) adds a GoogleTest executable run by ctest.
function(quiral_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock quiral_test_main_qt)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock quiral_test_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    QUIRAL_CORPUS_DIR="${QUIRAL_CORPUS_DIR}"
    QUIRAL_TEST_DATA_DIR="${QUIRAL_TEST_DATA_DIR}")
  set(_env "")
  if(T_QT)
    set(_env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 ENVIRONMENT "${_env}")
endfunction()
