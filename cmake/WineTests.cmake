# Tests of the Windows tree run under Wine, through CTest's emulator hook.
#
# The harness (tools/harness) keeps one private WINEPREFIX in the build tree,
# created once, with one persistent wineserver and one Xvfb display for the whole
# run: the CTest fixture "wine" starts them before the first Wine test and ends
# them after the last.

set(KEYLOFT_HARNESS_DIR ${CMAKE_BINARY_DIR}/harness)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_SOURCE_DIR}/tools/harness/wine-run.sh ${KEYLOFT_HARNESS_DIR})

# Two displays, each a harness of its own: CTest hands one to each suite
# (RESOURCE_GROUPS "displays:1", keyloft_wine_test), so two suites run side by
# side. A suite spends most of its time waiting for Wine's server and the
# display, not on a core: two of them keep two cores about as busy as one does
# not. The resource file is found by a plain ctest through the cache.
set(KEYLOFT_WINE_DISPLAYS 2)
set(displays "")
foreach(id RANGE 1 ${KEYLOFT_WINE_DISPLAYS})
    list(APPEND displays "{\"id\": \"${id}\", \"slots\": 1}")
endforeach()
list(JOIN displays ", " displays)
file(WRITE ${CMAKE_BINARY_DIR}/wine-displays.json
     "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"displays\": [${displays}]}]}\n")
set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-displays.json CACHE INTERNAL "CTest's displays for the Wine tests")

add_test(NAME harness.start
         COMMAND ${CMAKE_SOURCE_DIR}/tools/harness/start-displays.sh ${KEYLOFT_HARNESS_DIR} ${CMAKE_BINARY_DIR}
                 ${KEYLOFT_WINE_DISPLAYS})
add_test(NAME harness.stop
         COMMAND ${CMAKE_SOURCE_DIR}/tools/harness/stop-displays.sh ${KEYLOFT_HARNESS_DIR} ${KEYLOFT_WINE_DISPLAYS})
set_tests_properties(harness.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(harness.stop PROPERTIES FIXTURES_CLEANUP wine)

keyloft_portable_tests()

# tests/<group>/**/*.cpp (other than portable/ and fuzz/): one GoogleTest
# executable per group, one CTest entry each (a Wine start per test case would
# cost more than the cases). A group with its own CMakeLists.txt builds itself.
get_property(KEYLOFT_LIBS GLOBAL PROPERTY KEYLOFT_LIBRARIES)
file(GLOB groups LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir IN LISTS groups)
    get_filename_component(group ${dir} NAME)
    if(NOT IS_DIRECTORY ${dir} OR group MATCHES "^(portable|fuzz|data)$")
        continue()
    endif()
    if(EXISTS ${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
        continue()
    endif()
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        continue()
    endif()
    keyloft_wine_test(${group} SOURCES ${sources} LIBS ${KEYLOFT_LIBS})
endforeach()

# The native tree's tests join this run when its folder is given, so that one
# CTest run covers both trees and ends with one summary.
set(KEYLOFT_NATIVE_BUILD_DIR "" CACHE PATH "Native build tree whose tests this tree's CTest also runs")
if(KEYLOFT_NATIVE_BUILD_DIR)
    file(WRITE ${CMAKE_BINARY_DIR}/native-tests.cmake "subdirs(\"${KEYLOFT_NATIVE_BUILD_DIR}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/native-tests.cmake)
endif()
