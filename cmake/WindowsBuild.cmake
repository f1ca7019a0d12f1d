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

set(KEYLOFT_SYSTEM_LIBS
    gdiplus comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid advapi32
    winmm msimg32 setupapi user32 gdi32 kernel32)

# GoogleTest built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Resources first: libraries include the generated string ids.
add_subdirectory(res)
include_directories(${CMAKE_SOURCE_DIR}/res ${KEYLOFT_RES_GENERATED})

# The MFC-compatible layer.
keyloft_library(afx DIRS afx/src LIBS ${KEYLOFT_SYSTEM_LIBS})
if(TARGET afx)
    target_include_directories(afx PUBLIC ${CMAKE_SOURCE_DIR}/afx/include)
endif()

include(PortableLibraries)

# One static library per layout folder, each on the ones below it.
keyloft_library(core DIRS core EXCLUDE "/core/portable/" LIBS afx core_portable)
keyloft_library(widgets DIRS widgets LIBS afx core)
keyloft_library(guilib_core DIRS guilib/core LIBS afx core)
keyloft_library(guilib_docking DIRS guilib/docking LIBS guilib_core)
keyloft_library(guilib_toolbars DIRS guilib/toolbars LIBS guilib_docking guilib_controls guilib_core)
keyloft_library(guilib_tabs DIRS guilib/tabs LIBS guilib_core)
keyloft_library(guilib_controls DIRS guilib/controls LIBS guilib_core)
keyloft_library(guilib_ribbon DIRS guilib/ribbon LIBS guilib_core)
keyloft_library(editors DIRS editors LIBS widgets guilib_core core)
get_property(KEYLOFT_LIBS GLOBAL PROPERTY KEYLOFT_LIBRARIES)
foreach(lib IN LISTS KEYLOFT_LIBS)
    keyloft_warnings(${lib})
    add_dependencies(${lib} keyloft_resources)
    # A library may name a sibling folder's library that does not exist yet.
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(deps ${lib} ${property})
        if(deps)
            set(present)
            foreach(dep IN LISTS deps)
                if(TARGET ${dep} OR dep IN_LIST KEYLOFT_SYSTEM_LIBS)
                    list(APPEND present ${dep})
                endif()
            endforeach()
            set_target_properties(${lib} PROPERTIES ${property} "${present}")
        endif()
    endforeach()
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
