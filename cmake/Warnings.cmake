# kob_warnings: the warning policy of every target of ours. A target links it PRIVATE
# (target_link_libraries(<target> PRIVATE kob_warnings)); compile options of an interface library reach only the
# targets that link it directly, so GoogleTest's own sources, built in the Windows-side test tree, keep their flags.
add_library(kob_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(kob_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
    if(WIN32)
        # GCC 12 reports a false -Wrestrict inside std::string when it is inlined for i686.
        target_compile_options(kob_warnings INTERFACE -Wno-restrict)
    endif()
endif()
