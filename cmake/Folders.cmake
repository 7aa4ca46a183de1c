# One library per source folder. A folder's library sees the headers of its own folder and of the folders it uses,
# nothing else: each library publishes its headers through a tree of its own under the build folder, so a header
# included across a boundary the build does not allow is not found and the build fails.
#
# Options every library of ours passes on to whatever links it (the native tree's sanitizers).
add_library(kob_options INTERFACE)

# kob_folder(<folder> [USES <folders>...] [LINK <system libraries>...])
#   <folder> is a path under src/ ("controller", "controller/win32"); the library is kob_<folder with _ for />.
#   Its sources are the folder's .cpp files (its subfolders are libraries of their own); a folder of headers alone
#   becomes an interface library.
function(kob_folder folder)
    cmake_parse_arguments(ARG "" "" "USES;LINK" ${ARGN})
    string(REPLACE "/" "_" name "kob_${folder}")
    set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    set(root ${CMAKE_BINARY_DIR}/folders/${name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS headers)
        get_filename_component(file ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${folder}/${file} SYMBOLIC)
    endforeach()
    set(uses)
    foreach(used IN LISTS ARG_USES)
        string(REPLACE "/" "_" usedName "kob_${used}")
        list(APPEND uses ${usedName})
    endforeach()
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${root})
        target_link_libraries(${name} PUBLIC ${uses} ${ARG_LINK} kob_options PRIVATE kob_warnings)
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${root})
        target_link_libraries(${name} INTERFACE ${uses} ${ARG_LINK})
    endif()
endfunction()
