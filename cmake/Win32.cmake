message(STATUS "win32 tree")
