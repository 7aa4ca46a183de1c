# GUI tests: shell scripts that drive the real programs under Wine on an X display, with kobprobe.exe looking
# at the windows from another process. tools/test.sh runs them inside one display and Wine session.
add_executable(kobprobe tests/gui/kobprobe.cpp)
target_link_libraries(kobprobe PRIVATE kob_warnings shell32 gdi32 user32 advapi32)
# Stands in for the browser: records which page it was asked to open.
add_executable(StandInProbe tests/win/StandInProbe.cpp)
target_link_libraries(StandInProbe PRIVATE kob_warnings)
# Planted beside the program under a system library's name.
add_library(StandInLibrary SHARED tests/win/StandInLibrary.cpp)
set_target_properties(StandInLibrary PROPERTIES PREFIX "")
target_link_libraries(StandInLibrary PRIVATE kob_warnings)

function(kob_add_gui_test NAME SCRIPT)
    add_test(NAME gui.${NAME} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/gui/${SCRIPT})
    set_tests_properties(gui.${NAME} PROPERTIES TIMEOUT 300
        ENVIRONMENT "KOB_ROOT=${CMAKE_SOURCE_DIR};KOB_BIN=${CMAKE_BINARY_DIR};KOB_BUILD=${KOB_BUILD_ROOT}")
endfunction()

set(KOB_BUILD_ROOT ${CMAKE_BINARY_DIR}/.. CACHE PATH "Folder holding the build trees, the Wine prefixes and the artefacts")

kob_add_gui_test(executable_imports executable-imports.sh)
kob_add_gui_test(controller_window controller-window.sh)
kob_add_gui_test(no_audio_device no-audio-device.sh)
kob_add_gui_test(slider slider.sh)
kob_add_gui_test(startup startup.sh)
kob_add_gui_test(tray tray.sh)
kob_add_gui_test(keyboard keyboard.sh)
kob_add_gui_test(dpi dpi.sh)
kob_add_gui_test(installer installer.sh)
# Thirteen scenarios in fresh prefixes, one of them waiting out a silent setup's bounded wait, on a machine the other
# tests may share.
set_tests_properties(gui.installer PROPERTIES TIMEOUT 900)
kob_add_gui_test(program_folder program-folder.sh)
kob_add_gui_test(msi msi.sh)
