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
    set(fakes ${CMAKE_SOURCE_DIR}/tests/unit/fakes)
    set(sources ${ARG_SOURCES} ${fakes}/FakeServices.cpp ${fakes}/FakeControllerView.cpp ${fakes}/FakeRegistry.cpp
                ${fakes}/FakeProcessList.cpp ${fakes}/FakeSystem.cpp)
    if(ARG_RESOURCES)
        list(APPEND sources ${KOB_RESOURCES})
    endif()
    add_executable(${ARG_NAME} ${sources})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit ${CMAKE_SOURCE_DIR}/tests/win)
    target_link_libraries(${ARG_NAME} PRIVATE kob_win32 kob_warnings gtest gtest_main)
    add_test(NAME win.${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(win.${ARG_NAME} PROPERTIES TIMEOUT 300)
endfunction()

kob_add_win_test(NAME win_volume_tests SOURCES tests/win/WinmmVolumeWinTest.cpp tests/win/EndpointVolumeWinTest.cpp)
# The test asks winmm itself which record sizes it accepts.
target_link_libraries(win_volume_tests PRIVATE winmm)

# The settings store against the scratch prefix's registry, and the platform checks against real processes. The
# probes are started by the tests from the test programs' folder, copied under the program's file name.
add_executable(GuardProbe tests/win/GuardProbe.cpp)
target_link_libraries(GuardProbe PRIVATE kob_win32 kob_warnings)
add_executable(RunEntryProbe tests/win/RunEntryProbe.cpp)
target_link_libraries(RunEntryProbe PRIVATE kob_win32 kob_warnings)
kob_add_win_test(NAME win_settings_tests SOURCES tests/win/SettingsWinTest.cpp)
kob_add_win_test(NAME win_guard_tests SOURCES tests/win/InstanceGuardWinTest.cpp)
add_dependencies(win_guard_tests GuardProbe)
kob_add_win_test(NAME win_system_tests SOURCES tests/win/SystemChecksWinTest.cpp)
# A program loading the libraries the program loads at first use, and a library to stand in for them.
add_executable(LibraryProbe tests/win/LibraryProbe.cpp)
target_link_libraries(LibraryProbe PRIVATE kob_win32 kob_warnings)
add_library(StandInLibrary SHARED tests/win/StandInLibrary.cpp)
set_target_properties(StandInLibrary PROPERTIES PREFIX "")
target_link_libraries(StandInLibrary PRIVATE kob_warnings)
add_dependencies(win_system_tests RunEntryProbe LibraryProbe StandInLibrary)
# Both write the log-on Run value.
set_tests_properties(win.win_settings_tests win.win_system_tests PROPERTIES RESOURCE_LOCK kob_run_value)

# The window base, the controller's window and the Win32 helpers (needs the program's resources).
kob_add_win_test(NAME win_window_tests SOURCES tests/win/WindowBaseWinTest.cpp RESOURCES)
add_executable(EndingProbe tests/win/EndingProbe.cpp)
target_link_libraries(EndingProbe PRIVATE kob_win32 kob_warnings)
add_executable(ForgeProbe tests/win/ForgeProbe.cpp)
target_link_libraries(ForgeProbe PRIVATE kob_warnings)
add_dependencies(win_window_tests EndingProbe ForgeProbe)
kob_add_win_test(NAME win_tray_tests SOURCES tests/win/TrayIconWinTest.cpp)
kob_add_win_test(NAME win_sound_tests SOURCES tests/win/MciSoundDeviceWinTest.cpp)
add_executable(StandInProbe tests/win/StandInProbe.cpp)
target_link_libraries(StandInProbe PRIVATE kob_warnings)
kob_add_win_test(NAME win_tools_tests SOURCES tests/win/SystemToolsWinTest.cpp)
add_dependencies(win_tools_tests StandInProbe)
# A stand-in put in place of the system's rundll32.exe is run, rather than Wine's built-in program of that name.
set_tests_properties(win.win_tools_tests PROPERTIES ENVIRONMENT_MODIFICATION "WINEDLLOVERRIDES=string_append:\\;rundll32.exe=n")
kob_add_win_test(NAME win_core_audio_tests SOURCES tests/win/CoreAudioWinTest.cpp)
# The start-up with the real tray and controller windows over the Core Audio endpoint.
kob_add_win_test(NAME win_startup_tests SOURCES tests/win/StartupWinTest.cpp RESOURCES)
add_dependencies(win_startup_tests ForgeProbe)
# The controller, Options and About through Active Accessibility, read from another process by the probe.
add_executable(AccessProbe tests/win/AccessProbe.cpp)
target_link_libraries(AccessProbe PRIVATE kob_warnings oleacc ole32 oleaut32 uuid)
kob_add_win_test(NAME win_accessibility_tests SOURCES tests/win/AccessibilityWinTest.cpp RESOURCES)
add_dependencies(win_accessibility_tests AccessProbe)
# The setup's rules of rights, folder access and folder names (its support library's code, on stand-in tokens and access lists).
kob_add_win_test(NAME win_setup_access_tests SOURCES tests/win/AccessRulesWinTest.cpp
                 installer/support/AccessRules.cpp installer/support/FolderNames.cpp)
