# Helpers shared by both trees: one library per folder, sources found by glob.

# keyloft_glob_sources(<out-var> <dir>...): every .cpp/.c below the folders given.
function(keyloft_glob_sources out)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# keyloft_include_root(<target> <folder>...)
# Gives the target an include root of its own: a folder in the build tree that
# holds links to the source folders named (top-level folders such as "widgets",
# or deeper ones such as "core/portable") and to nothing else. Includes keep
# their spelling from the repository root ("core/files/Folders.h"), and an
# include of a folder the target may not use does not build. A folder that does
# not exist yet gets its link all the same and is seen once it appears.
function(keyloft_include_root target)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
    # A folder inside another one named is reached through the outer link.
    set(folders)
    foreach(folder IN LISTS ARGN)
        set(inner FALSE)
        foreach(outer IN LISTS ARGN)
            string(FIND "${folder}" "${outer}/" at)
            if(at EQUAL 0)
                set(inner TRUE)
            endif()
        endforeach()
        if(NOT inner)
            list(APPEND folders ${folder})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    set(wanted)
    foreach(folder IN LISTS folders)
        set(link ${root}/${folder})
        list(APPEND wanted ${link})
        # A link an earlier configure made for an outer folder ("guilib" where
        # "guilib/core" is wanted now) goes first: the path below must never
        # lead through a link into the source tree, or the removal below would
        # delete sources.
        string(REPLACE "/" ";" steps "${folder}")
        set(at ${root})
        foreach(step IN LISTS steps)
            set(at ${at}/${step})
            if(IS_SYMLINK ${at} AND NOT at STREQUAL link)
                file(REMOVE ${at})
            endif()
        endforeach()
        if(NOT IS_SYMLINK ${link})
            file(REMOVE_RECURSE ${link})
            get_filename_component(parent ${link} DIRECTORY)
            file(MAKE_DIRECTORY ${parent})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${link} SYMBOLIC)
        endif()
    endforeach()
    # Links a previous configure made for folders no longer named go.
    file(GLOB present LIST_DIRECTORIES true ${root}/* ${root}/*/*)
    foreach(entry IN LISTS present)
        if(IS_SYMLINK ${entry} AND NOT entry IN_LIST wanted)
            file(REMOVE ${entry})
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# keyloft_library(<name> DIRS <dir>... [EXCLUDE <regex>] [SEES <folder>...]
#                 [HEADERS <dir>] [LIBS <lib>...])
# A static library from the sources of the folders; an empty folder gives no
# target. Its include root holds its own folders and the lower folders it SEES;
# a library whose headers are included by their own names (<afxwin.h>) gives
# their folder as HEADERS instead. LIBS are the libraries it links (each must
# exist).
function(keyloft_library name)
    cmake_parse_arguments(ARG "" "EXCLUDE;HEADERS" "DIRS;SEES;LIBS" ${ARGN})
    keyloft_glob_sources(sources ${ARG_DIRS})
    if(ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
    endif()
    if(NOT sources)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    if(ARG_HEADERS)
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/${ARG_HEADERS})
    else()
        keyloft_include_root(${name} ${ARG_DIRS} ${ARG_SEES})
    endif()
    if(ARG_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    endif()
    set_property(GLOBAL APPEND PROPERTY KEYLOFT_LIBRARIES ${name})
endfunction()

function(keyloft_warnings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter>)
    endif()
endfunction()

# keyloft_precompile_layer(<target> [TESTS])
# The layer's window header (<afxwin.h>, which brings windows.h, the common
# controls and the layer's classes) parsed ahead: parsing it is most of a small
# source's compile. A precompiled header weighs ~150 MB, so it is made twice for
# the whole tree, not once per target: once for the libraries, and once with
# GoogleTest's header at the test groups' optimisation (TESTS); every target
# reuses the one made with its own flags. Only for targets that link the layer:
# the portable code keeps seeing no Windows header. Sources still include what
# they use (the header is only parsed ahead, not a promise that its names are
# there).
function(keyloft_precompile_layer target)
    cmake_parse_arguments(ARG "TESTS" "" "" ${ARGN})
    if(ARG_TESTS)
        set(host keyloft_test_pch)
        set(headers <afxwin.h> <gtest/gtest.h>)
    else()
        set(host keyloft_layer_pch)
        set(headers <afxwin.h>)
    endif()
    if(NOT TARGET ${host})
        # The host is an empty library compiled as its users are: the header
        # is only valid for sources built with the same options.
        set(source ${CMAKE_BINARY_DIR}/${host}.cpp)
        if(NOT EXISTS ${source})
            file(WRITE ${source} "// The precompiled layer header's host: no code of its own.\n")
        endif()
        add_library(${host} STATIC ${source})
        target_include_directories(${host} PRIVATE ${CMAKE_SOURCE_DIR}/afx/include)
        if(ARG_TESTS)
            target_link_libraries(${host} PRIVATE gmock)
            target_compile_options(${host} PRIVATE -O1)
            keyloft_test_data_definition(${host})
        endif()
        set(wrapped)
        foreach(header IN LISTS headers)
            list(APPEND wrapped "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
        endforeach()
        target_precompile_headers(${host} PRIVATE ${wrapped})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${host})
endfunction()

# KEYLOFT_TESTS_DIR: the source folder tests/ (checked-in seeds and samples), as
# the test sees it (under Wine the Linux root is drive Z:).
function(keyloft_test_data_definition target)
    if(WIN32)
        set(dir "Z:${CMAKE_SOURCE_DIR}/tests")
    else()
        set(dir "${CMAKE_SOURCE_DIR}/tests")
    endif()
    target_compile_definitions(${target} PRIVATE KEYLOFT_TESTS_DIR="${dir}")
endfunction()

# keyloft_wine_test(<group> SOURCES <src>... LIBS <lib>... [TIMEOUT <s>] [APART <suite>...])
# A GoogleTest executable <group>_tests run under Wine as the CTest entry wine.<group>
# (each suite named APART as wine.<group>.<suite>, the rest as wine.<group>);
# the library's groups (guilib_...) on the quarantine heap (tests/support/heap).
function(keyloft_wine_test group)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;APART" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set(target ${group}_tests)
    add_executable(${target} ${ARG_SOURCES})
    # The library's tests run on the quarantine heap: a block read after its
    # delete shows a pattern and fails at once instead of passing by luck.
    if(group MATCHES "^guilib_")
        target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/heap/QuarantineHeap.cpp)
    endif()
    # Tests see what they test: the whole tree, and the resource ids.
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res ${KEYLOFT_RES_GENERATED})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} gmock gtest_main)
    keyloft_test_data_definition(${target})
    keyloft_warnings(${target})
    # The code under test is built at full optimisation in its libraries; the
    # test's own code is compiled for a quick build.
    target_compile_options(${target} PRIVATE -O1)
    if(afx IN_LIST ARG_LIBS)
        keyloft_precompile_layer(${target} TESTS)
    endif()
    if(ARG_APART)
        # Suites that take minutes run as an entry of their own, on a display
        # of their own.
        list(JOIN ARG_APART ".*:" apart)
        add_test(NAME wine.${group} COMMAND ${target} --gtest_filter=-${apart}.*)
        keyloft_wine_test_entry(wine.${group} ${ARG_TIMEOUT})
        foreach(suite IN LISTS ARG_APART)
            add_test(NAME wine.${group}.${suite} COMMAND ${target} --gtest_filter=${suite}.*)
            keyloft_wine_test_entry(wine.${group}.${suite} ${ARG_TIMEOUT})
        endforeach()
    else()
        add_test(NAME wine.${group} COMMAND ${target})
        keyloft_wine_test_entry(wine.${group} ${ARG_TIMEOUT})
    endif()
endfunction()

# Synthesised keys and clicks go to whichever window has the focus on a display:
# each suite holds a display of its own while it runs (WineTests.cmake).
function(keyloft_wine_test_entry name timeout)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${timeout}
                         RESOURCE_GROUPS displays:1)
endfunction()
