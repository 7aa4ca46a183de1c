# The setup's version, told apart for every release: 3.0.<1000 + commits>.0, where commits is the number of
# commits in the repository's history up to the one being built. Windows compares it (the uninstall entry's
# DisplayVersion, the Active Setup component's Version, the Windows Installer's ProductVersion, whose fourth field
# it ignores), so the number rises in the third field, above the 439 of the releases made before this scheme.
# The program's own version record stays 3.0.0.439 (resources/kob.rc).
#   -DKOB_SETUP_COMMITS=<n>  builds as if the history had n commits (tests build older and newer packages so).
set(KOB_SETUP_COMMITS "" CACHE STRING "Commit count the setup's version is made from (empty: the repository's)")
if(KOB_SETUP_COMMITS STREQUAL "")
    execute_process(COMMAND git rev-list --count HEAD WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE kob_commits OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE kob_git_result
                    ERROR_QUIET)
    if(NOT kob_git_result EQUAL 0 OR NOT kob_commits MATCHES "^[0-9]+$")
        message(FATAL_ERROR "The setup's version comes from the repository's history: build from a git clone, "
                            "or give -DKOB_SETUP_COMMITS=<number of commits>")
    endif()
    execute_process(COMMAND git rev-parse --is-shallow-repository WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE kob_shallow OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(kob_shallow STREQUAL "true")
        message(WARNING "A shallow clone counts only its own commits: the setup's version is lower than the "
                        "release's. Fetch the whole history for a release build.")
    endif()
    # A new commit configures the tree again, so the version follows it.
    if(EXISTS ${CMAKE_SOURCE_DIR}/.git/logs/HEAD)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/.git/logs/HEAD)
    endif()
else()
    set(kob_commits ${KOB_SETUP_COMMITS})
endif()
math(EXPR kob_setup_build "1000 + ${kob_commits}")
set(KOB_SETUP_VERSION 3.0.${kob_setup_build}.0)
message(STATUS "Setup version ${KOB_SETUP_VERSION}")
