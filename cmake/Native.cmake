# Native tree: unit tests of the logic against fakes, with AddressSanitizer and UndefinedBehaviorSanitizer.
find_package(GTest REQUIRED)
include(GoogleTest)

set(KOB_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(kob_options INTERFACE ${KOB_SANITIZE})
target_link_options(kob_options INTERFACE ${KOB_SANITIZE})

add_executable(kob_unit_tests
    tests/unit/fakes/FakeServices.cpp
    tests/unit/fakes/FakeControllerView.cpp
    tests/unit/fakes/FakeRegistry.cpp
    tests/unit/fakes/FakeProcessList.cpp
    tests/unit/fakes/FakeSystem.cpp
    tests/unit/SliderGeometryTest.cpp
    tests/unit/MasterVolumeTest.cpp
    tests/unit/ControllerLoadTest.cpp
    tests/unit/ControllerSliderTest.cpp
    tests/unit/ControllerSlotTest.cpp
    tests/unit/ControllerButtonsTest.cpp
    tests/unit/ControllerKeysTest.cpp
    tests/unit/ControllerAccessibilityTest.cpp
    tests/unit/TrayAppTest.cpp
    tests/unit/MuteMonitorTest.cpp
    tests/unit/TrayMenuTest.cpp
    tests/unit/AboutOptionsTest.cpp
    tests/unit/SettingsTest.cpp
    tests/unit/InstanceGuardTest.cpp
    tests/unit/SystemChecksTest.cpp
    tests/unit/BadDayTest.cpp
)
target_include_directories(kob_unit_tests PRIVATE tests/unit)
target_link_libraries(kob_unit_tests PRIVATE kob_logic kob_warnings GTest::gtest_main)
gtest_discover_tests(kob_unit_tests TEST_PREFIX "unit.")

# The committed artwork must be exactly what the generator draws, at the sizes and depths the program expects.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
    add_test(NAME art.check COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/art/check_art.py
                                    ${CMAKE_SOURCE_DIR}/resources)
    # The test sound likewise: what its generator makes, short and small.
    add_test(NAME sound.check COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/sound/check_sound.py
                                      ${CMAKE_SOURCE_DIR}/resources)
endif()

# Style: the C++ sources as .clang-format lays them out, the shell scripts clean under shellcheck. The bootstrap
# installs both tools, so a missing one fails its test rather than skipping it.
find_program(KOB_CLANG_FORMAT clang-format)
find_program(KOB_SHELLCHECK shellcheck)
add_test(NAME style.clang-format COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-style.sh clang-format ${KOB_CLANG_FORMAT})
add_test(NAME style.shellcheck COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-style.sh shellcheck ${KOB_SHELLCHECK})
