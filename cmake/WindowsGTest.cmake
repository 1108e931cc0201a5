# GoogleTest for the Windows build, compiled from the sources Debian's googletest package installs.
set(TARVIK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TARVIK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# The test programs mostly wait on windows and on the screen, and their code is most of the
# Windows build's compile time: they are built without optimisation (the program's own code they
# link keeps it) over one precompiled header of what nearly all of them include, made once by the
# test support library.
set(TARVIK_WINDOWS_TEST_HEADERS <windows.h> <gtest/gtest.h> <algorithm> <chrono> <functional>
                                <memory> <string> <thread> <vector>)
function(tarvik_windows_test_options name)
    target_compile_options(${name} PRIVATE -O0)
    if(name STREQUAL "tarvik_win32_test_support")
        target_precompile_headers(${name} PRIVATE ${TARVIK_WINDOWS_TEST_HEADERS})
    else()
        target_precompile_headers(${name} REUSE_FROM tarvik_win32_test_support)
    endif()
endfunction()

# A Windows test program, discovered and run under Wine test by test.
# Its tests are named <prefix>.<Suite>.<Test>, so `ctest -R <prefix>` runs one program's tests.
function(tarvik_windows_test name prefix)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE tarvik_win32 tarvik_win32_test_support GTest::gtest_main)
    tarvik_warnings(${name})
    tarvik_windows_test_options(${name})
    # Tests may start the fixture programs.
    add_dependencies(${name} tarvik_fixtures)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         TEST_PREFIX "${prefix}."
                         # Under Wine a program that dies can still end with exit code 0: a test
                         # passes only when GoogleTest itself says so.
                         PROPERTIES TIMEOUT 120 PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test")
endfunction()
