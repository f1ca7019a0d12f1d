# Windows tree: the program, its libraries and the tests that run under Wine.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Boost is header-only for what we use. Debian puts it in /usr/include, which must
# not reach the cross compiler (glibc headers would shadow mingw's); expose only
# the boost folder through a private include root.
set(KEYLOFT_BOOST_ROOT ${CMAKE_BINARY_DIR}/boost-include)
if(NOT EXISTS ${KEYLOFT_BOOST_ROOT}/boost)
    if(NOT EXISTS /usr/include/boost/shared_ptr.hpp)
        message(FATAL_ERROR "Boost headers not found (Debian package libboost-dev)")
    endif()
    file(MAKE_DIRECTORY ${KEYLOFT_BOOST_ROOT})
    file(CREATE_LINK /usr/include/boost ${KEYLOFT_BOOST_ROOT}/boost SYMBOLIC)
endif()
include_directories(SYSTEM ${KEYLOFT_BOOST_ROOT})

# Where the finished program folder is laid out (exe, language libraries, ini files,
# pictures\, wav\, help\).
set(KEYLOFT_PROGRAM_DIR ${CMAKE_BINARY_DIR}/program)

# Not comdlg32: the layer loads the common dialogs on their first use (below).
set(KEYLOFT_SYSTEM_LIBS
    gdiplus comctl32 shell32 shlwapi ole32 oleaut32 uuid advapi32
    winmm msimg32 setupapi user32 gdi32 kernel32)

# GoogleTest built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
    target_compile_options(${lib} PRIVATE -O1) # test code: a quick build is worth more than speed
endforeach()

# Resources first: libraries include the generated string ids.
add_subdirectory(res)
# What a library that uses the resource ids ("res/resource.h") needs besides the
# res folder in its include root: the generated string ids beside it.
add_library(keyloft_res_ids INTERFACE)
target_include_directories(keyloft_res_ids INTERFACE ${KEYLOFT_RES_GENERATED})

# keyloft_delayed_import_library(<out-var> <library> <definitions> [<file>])
# A system library loaded by the first call of one of its functions instead of
# with the program: a delay-load import library for <library>.dll (or for the
# file named), made by dlltool from <definitions> (a .def file listing the
# functions called), built by the target <library>_delayed_import. Its file
# goes into <out-var>.
get_filename_component(toolchain_folder ${CMAKE_CXX_COMPILER} DIRECTORY)
find_program(KEYLOFT_DLLTOOL NAMES x86_64-w64-mingw32-dlltool HINTS ${toolchain_folder} REQUIRED)
function(keyloft_delayed_import_library out library definitions)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/lib${library}_delayed.a)
    set(file ${library}.dll)
    if(ARGC GREATER 3)
        set(file ${ARGV3})
    endif()
    add_custom_command(OUTPUT ${output}
        COMMAND ${KEYLOFT_DLLTOOL} --input-def ${definitions} --dllname ${file} --output-delaylib ${output}
        DEPENDS ${definitions}
        COMMENT "Delay-load import library for ${library}.dll")
    add_custom_target(${library}_delayed_import DEPENDS ${output})
    set(${out} ${output} PARENT_SCOPE)
endfunction()

# The MFC-compatible layer: its headers by their own names (<afxwin.h>).
keyloft_library(afx DIRS afx/src HEADERS afx/include LIBS ${KEYLOFT_SYSTEM_LIBS})
# The common dialogs are loaded on their first use, for the program and for every
# test that links the layer: importing comdlg32 loads the printer spooler with it,
# and under Wine the spooler looks for printers as it starts, which cost more than
# a whole window's start at every start of a program that shows a file or colour
# dialog only when the user asks for one.
keyloft_delayed_import_library(comdlg32_delayed comdlg32 ${CMAKE_SOURCE_DIR}/afx/delayload/comdlg32.def)
target_link_libraries(afx PUBLIC ${comdlg32_delayed})
add_dependencies(afx comdlg32_delayed_import)
# The HTML help control, the same way: only a frame asked for HTML help loads it.
keyloft_delayed_import_library(hhctrl_delayed hhctrl ${CMAKE_SOURCE_DIR}/afx/delayload/hhctrl.def hhctrl.ocx)
target_link_libraries(afx PUBLIC ${hhctrl_delayed})
add_dependencies(afx hhctrl_delayed_import)

include(PortableLibraries)

# One static library per layout folder. Each sees (includes) and links only the
# layers below it: portable core < afx < core < widgets < GUI library < the page
# base (pages/) < the editors < the program (app/).
keyloft_library(core DIRS core EXCLUDE "/core/portable/" LIBS afx core_portable)
keyloft_library(widgets DIRS widgets SEES core res LIBS core keyloft_res_ids)

# The GUI library: one static library per family folder (guilib/<family>), in
# the order of their dependencies (docs/gui-library.md says why each sits where
# it does). A family sees and links only the layer and the families before it;
# nothing in the library sees the program's folders. A family whose folder
# holds no source yet gives no library.
set(KEYLOFT_GUILIB_FAMILIES core controls ribbon tabs docking toolbars menus panes sheets frames)
set(lower_dirs)
set(lower_libs)
foreach(family IN LISTS KEYLOFT_GUILIB_FAMILIES)
    keyloft_library(guilib_${family} DIRS guilib/${family} SEES ${lower_dirs} LIBS afx ${lower_libs})
    list(APPEND lower_dirs guilib/${family})
    if(TARGET guilib_${family})
        list(APPEND lower_libs guilib_${family})
    endif()
endforeach()
file(GLOB guilib_folders LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/guilib/*)
foreach(dir IN LISTS guilib_folders)
    get_filename_component(family ${dir} NAME)
    if(IS_DIRECTORY ${dir} AND NOT family IN_LIST KEYLOFT_GUILIB_FAMILIES)
        message(FATAL_ERROR "guilib/${family} is not in KEYLOFT_GUILIB_FAMILIES: give it its place in the order")
    endif()
endforeach()
set(KEYLOFT_GUILIB_LIBS ${lower_libs})

# The include roots above decide what a library sees; an include spelled with
# "../" would pass them. Checked at every build, before the libraries it guards.
add_custom_target(keyloft_relative_include_check
    COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DFOLDERS=guilib,widgets
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckRelativeIncludes.cmake
    COMMENT "Checking guilib/ and widgets/ for includes spelled with ../"
    VERBATIM)
foreach(lib IN LISTS KEYLOFT_GUILIB_LIBS ITEMS widgets)
    add_dependencies(${lib} keyloft_relative_include_check)
endforeach()
add_test(NAME build.relative_include_check
         COMMAND ${CMAKE_COMMAND} -DCHECK=${CMAKE_SOURCE_DIR}/cmake/CheckRelativeIncludes.cmake
                 -DWORK=${CMAKE_BINARY_DIR}/relative-include-check -P ${CMAKE_SOURCE_DIR}/tests/build/RelativeIncludeCheckTest.cmake)

# What every page of the view stands on (page base, message boxes, window
# messages, the view's interface for its pages); the editors see it and no
# folder of the program; the program (app/) sees everything below it.
keyloft_library(pages DIRS pages SEES widgets core res LIBS widgets core keyloft_res_ids)
keyloft_library(editors DIRS editors SEES pages widgets core res LIBS pages widgets core keyloft_res_ids)
set(KEYLOFT_PROGRAM_SEES app editors pages guilib widgets core res)

get_property(KEYLOFT_LIBS GLOBAL PROPERTY KEYLOFT_LIBRARIES)
foreach(lib IN LISTS KEYLOFT_LIBS)
    keyloft_warnings(${lib})
    add_dependencies(${lib} keyloft_resources)
    if(NOT lib IN_LIST KEYLOFT_PORTABLE_LIBS)
        keyloft_precompile_layer(${lib})
    endif()
endforeach()

add_subdirectory(app)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/vmidi/CMakeLists.txt)
    add_subdirectory(tools/vmidi)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/vmidi/CMakeLists.txt) # raw exchange yardstick for the link benchmark
    add_subdirectory(bench/vmidi)
endif()

include(WineTests)
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/player/CMakeLists.txt)
    add_subdirectory(bench/player)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/link/CMakeLists.txt) # link benchmark, run by hand
    add_subdirectory(bench/link)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/shell/CMakeLists.txt) # start-up and list-fill benchmarks, run by hand
    add_subdirectory(bench/shell)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/docking/CMakeLists.txt) # dock layout cost per bar, run by hand
    add_subdirectory(bench/docking)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/tabs/CMakeLists.txt) # tab layout cost per tab and activation repaints, run by hand
    add_subdirectory(bench/tabs)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/panes/CMakeLists.txt) # outlook page layout per button and a scroll step's repaint, run by hand
    add_subdirectory(bench/panes)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/toolbars/CMakeLists.txt) # toolbar layout and paint against the plain toolbar, run by hand
    add_subdirectory(bench/toolbars)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/menus/CMakeLists.txt) # shortcut texts and the menu hash, run by hand
    add_subdirectory(bench/menus)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/popups/CMakeLists.txt) # a popup menu opened from a toolbar button against the system's, run by hand
    add_subdirectory(bench/popups)
endif()
