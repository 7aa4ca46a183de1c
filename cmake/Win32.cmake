# Win32 trees: the Win32 adapters and windows, then either the shipped program with its preview and GUI test
# drivers, or (KOB_WIN_TESTS) the Windows-side GoogleTest programs. ctest runs Windows programs through Wine.

# Windows 2000 headers: psapi calls then import from psapi.dll rather than kernel32's K32 names of Windows 7.
add_compile_definitions(_WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0500 NOMINMAX STRICT)
add_link_options(-static -static-libgcc -static-libstdc++)
if(NOT KOB_WIN_TESTS)
    # The shipped program is small: optimised for size, unused code dropped at link time, no symbols.
    set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
    add_compile_options(-ffunction-sections -fdata-sections)
endif()
# GCC 12 reports a false -Wrestrict inside std::string when it is inlined for i686 (GoogleTest's sources too).
add_compile_options(-Wno-restrict)

# The Win32 side of each folder: its adapters and windows, beside the logic they serve.
add_library(kob_resources INTERFACE)
target_include_directories(kob_resources INTERFACE ${CMAKE_SOURCE_DIR}/resources)
# Only libraries on the known-DLL lists of Windows 2000 and XP are imported, by the program and by the setup's plugin;
# winmm, psapi, oleacc, comctl32 and wtsapi32 are loaded at their first use from the system folder
# (platform/win32/SystemLibrary.h).
kob_folder(platform/win32 USES platform LINK user32 gdi32 advapi32 shell32 kernel32 oleaut32 uuid)
kob_folder(volume/win32 USES volume platform/win32 LINK ole32 uuid)
kob_folder(settings/win32 USES settings platform/win32 LINK kob_resources advapi32)
kob_folder(controller/win32 USES controller platform/win32 LINK kob_resources)
kob_folder(about/win32 USES about platform/win32 LINK kob_resources ole32 oleaut32 uuid)
kob_folder(tray/win32 USES tray about/win32 settings/win32 platform/win32 LINK kob_resources shell32)

# Everything of the Win32 side, for the programs and the Windows-side tests.
add_library(kob_win32 INTERFACE)
target_link_libraries(kob_win32 INTERFACE kob_tray_win32 kob_controller_win32 kob_volume_win32)

set(KOB_RESOURCES ${CMAKE_SOURCE_DIR}/resources/kob.rc)
set_property(SOURCE ${KOB_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/ResourceIds.h ${CMAKE_SOURCE_DIR}/resources/kob3.0.exe.manifest)
file(GLOB KOB_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.bmp ${CMAKE_SOURCE_DIR}/resources/*.ico
     ${CMAKE_SOURCE_DIR}/resources/*.cur)
set_property(SOURCE ${KOB_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${KOB_ART})

if(KOB_WIN_TESTS)
    include(cmake/WinTests.cmake)
else()
    add_executable(kob3.0 WIN32 src/program/win32/WinMain.cpp src/program/win32/LeanRuntime.cpp ${KOB_RESOURCES})
    target_link_libraries(kob3.0 PRIVATE kob_win32 kob_warnings)
    target_link_options(kob3.0 PRIVATE -Wl,--gc-sections -s)

    # The preview and its reporter window are a target of their own: the shipped program never carries them.
    add_executable(kobpreview WIN32 src/preview/PreviewMain.cpp src/preview/ControllerAlone.cpp
                               src/preview/PreviewReporter.cpp ${KOB_RESOURCES})
    target_link_libraries(kobpreview PRIVATE kob_win32 kob_warnings comctl32)

    # The benchmarks' yardstick: the least a program doing the same unavoidable work costs. Not shipped.
    add_executable(kobbaseline WIN32 tools/bench/baseline.cpp)
    target_link_libraries(kobbaseline PRIVATE kob_warnings winmm shell32 user32)

    # The setup program a Windows user runs: the program, its help page, its test sound and the helper that gives
    # every new user of an all-users installation his settings. Both carry the build's version; makensis, like the
    # compilers, treats its warnings as errors.
    include(cmake/SetupVersion.cmake)
    find_program(KOB_MAKENSIS makensis REQUIRED)
    set(KOB_INSTALLER ${CMAKE_SOURCE_DIR}/installer)
    set(KOB_MAKENSIS_ARGS -V2 -WX -DVERSION_QUAD=${KOB_SETUP_VERSION} -DRESOURCES=${CMAKE_SOURCE_DIR}/resources)

    # The setup's own functions for what its engine has no command for (the running program in every session, a
    # start as the desktop's user), in a folder of their own where makensis finds them.
    file(GLOB KOB_SETUP_SUPPORT CONFIGURE_DEPENDS ${KOB_INSTALLER}/support/*.cpp)
    add_library(SetupSupport SHARED ${KOB_SETUP_SUPPORT})
    target_link_libraries(SetupSupport PRIVATE kob_common kob_platform_win32 kob_warnings
                          user32 advapi32 ole32 oleaut32 uuid)
    set_target_properties(SetupSupport PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/setup-plugins)
    target_link_options(SetupSupport PRIVATE -Wl,--gc-sections -s)

    set(KOB_USER_HELPER ${CMAKE_BINARY_DIR}/kobuser.exe)
    add_custom_command(OUTPUT ${KOB_USER_HELPER}
        COMMAND ${KOB_MAKENSIS} ${KOB_MAKENSIS_ARGS} -DOUTFILE=${KOB_USER_HELPER} ${KOB_INSTALLER}/kobuser.nsi
        DEPENDS ${KOB_INSTALLER}/kobuser.nsi ${KOB_INSTALLER}/common.nsh ${KOB_INSTALLER}/kobuser.manifest
                ${CMAKE_SOURCE_DIR}/resources/kob.ico
        COMMENT "Building the new users' helper")
    set(KOB_SETUP ${CMAKE_BINARY_DIR}/DrovoVolumeController-3.0-setup.exe)
    file(GLOB KOB_SETUP_SCRIPTS CONFIGURE_DEPENDS ${KOB_INSTALLER}/*.nsh)
    add_custom_command(OUTPUT ${KOB_SETUP}
        COMMAND ${KOB_MAKENSIS} ${KOB_MAKENSIS_ARGS} -DBUILD_DIR=$<TARGET_FILE_DIR:kob3.0>
                -DPLUGINS=$<TARGET_FILE_DIR:SetupSupport> -DOUTFILE=${KOB_SETUP} ${KOB_INSTALLER}/kob.nsi
        DEPENDS kob3.0 SetupSupport ${KOB_USER_HELPER} ${KOB_INSTALLER}/kob.nsi ${KOB_SETUP_SCRIPTS}
                ${KOB_INSTALLER}/setup.manifest ${CMAKE_SOURCE_DIR}/resources/KOBHELP.HTM
                ${CMAKE_SOURCE_DIR}/resources/POURING.WAV ${CMAKE_SOURCE_DIR}/resources/kob.ico
                ${CMAKE_SOURCE_DIR}/resources/setup.bmp
        COMMENT "Building the setup program")
    add_custom_target(setup ALL DEPENDS ${KOB_SETUP})

    # The Windows Installer package for administrators' fleets: the same files and version, always for all users.
    find_program(KOB_WIXL wixl REQUIRED)
    find_program(KOB_MSIBUILD msibuild REQUIRED)
    set(KOB_MSI ${CMAKE_BINARY_DIR}/DrovoVolumeController-3.0.msi)
    add_custom_command(OUTPUT ${KOB_MSI}
        COMMAND bash ${CMAKE_SOURCE_DIR}/tools/build-msi.sh ${KOB_SETUP_VERSION} $<TARGET_FILE_DIR:kob3.0> ${KOB_MSI}
        DEPENDS kob3.0 ${KOB_USER_HELPER} ${KOB_INSTALLER}/kob.wxs ${KOB_INSTALLER}/common.nsh
                ${CMAKE_SOURCE_DIR}/tools/build-msi.sh
                ${CMAKE_SOURCE_DIR}/src/common/MakersWebsite.h ${CMAKE_SOURCE_DIR}/resources/KOBHELP.HTM
                ${CMAKE_SOURCE_DIR}/resources/POURING.WAV ${CMAKE_SOURCE_DIR}/resources/kob.ico
        COMMENT "Building the Windows Installer package")
    add_custom_target(msi ALL DEPENDS ${KOB_MSI})

    include(cmake/GuiTests.cmake)
endif()
