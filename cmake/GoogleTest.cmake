# GoogleTest from Debian's source package, built with the same compiler and flags as the project,
# so the cross build and the sanitizer build get a matching copy.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# corvalin_add_test(NAME [REAL_BOX] SOURCES... LIBS libs...): one test binary, run by ctest
# (under Wine when cross-compiled, through CMAKE_CROSSCOMPILING_EMULATOR).
function(corvalin_add_test name)
  cmake_parse_arguments(T "REAL_BOX" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Tests link the headless window system and its run error box, which never waits for a
  # click; REAL_BOX links this OS's real run error box instead (not on Windows: it would wait).
  if(T_REAL_BOX)
    set(box corvalin_box)
  else()
    set(box corvalin_headless)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${box} corvalin_test_support GTest::gtest_main
                        corvalin_warnings)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
