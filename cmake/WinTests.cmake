# Windows-side tests: GoogleTest from Debian's sources, cross-compiled with the posix thread model and run by
# ctest through Wine (tools/test.sh prepares the Wine prefix and the null audio device first).
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# kob_add_win_test(NAME <name> SOURCES <files...> [RESOURCES])
# Builds a GoogleTest program against the Win32 adapters and the unit-test fakes and registers it as "win.<name>".
# RESOURCES links the program's resources in, for tests that create real windows.
function(kob_add_win_test)
    cmake_parse_arguments(ARG "RESOURCES" "NAME" "SOURCES" ${ARGN})
    set(sources ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/unit/fakes/FakeServices.cpp
                ${CMAKE_SOURCE_DIR}/tests/unit/fakes/FakeForm1View.cpp)
    if(ARG_RESOURCES)
        list(APPEND sources ${KOB_RESOURCES})
    endif()
    add_executable(${ARG_NAME} ${sources})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit ${CMAKE_SOURCE_DIR}/tests/win)
    target_link_libraries(${ARG_NAME} PRIVATE kob_win32 gtest gtest_main)
    add_test(NAME win.${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(win.${ARG_NAME} PROPERTIES TIMEOUT 300)
endfunction()

kob_add_win_test(NAME win_mixer_tests SOURCES tests/win/Win32MixerTest.cpp)
