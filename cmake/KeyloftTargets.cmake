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

# keyloft_library(<name> DIRS <dir>... [EXCLUDE <regex>] [LIBS <lib>...])
# A static library from the sources of the folders; an empty folder gives no target.
function(keyloft_library name)
    cmake_parse_arguments(ARG "" "EXCLUDE" "DIRS;LIBS" ${ARGN})
    keyloft_glob_sources(sources ${ARG_DIRS})
    if(ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
    endif()
    if(NOT sources)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
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

# keyloft_wine_test(<group> SOURCES <src>... LIBS <lib>... [TIMEOUT <s>])
# A GoogleTest executable <group>_tests run under Wine as the CTest entry wine.<group>.
function(keyloft_wine_test group)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set(target ${group}_tests)
    add_executable(${target} ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} gmock gtest_main)
    keyloft_test_data_definition(${target})
    keyloft_warnings(${target})
    add_test(NAME wine.${group} COMMAND ${target})
    # All Wine tests share one display, and synthesised keys and clicks go to
    # whichever window has the focus: one suite at a time holds the display.
    set_tests_properties(wine.${group} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT}
                         RESOURCE_LOCK wine_display)
endfunction()
