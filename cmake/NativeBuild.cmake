# Native tree: the portable core, its tests under ASan/UBSan, and the fuzz targets.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The native tree needs clang (CC=clang CXX=clang++) for libFuzzer.")
endif()

# Everything in this tree runs under the sanitizers; coverage instrumentation
# everywhere lets the fuzz targets link against the same libraries.
add_compile_options(-fsanitize=address,undefined,fuzzer-no-link
                    -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(PortableLibraries)

keyloft_portable_tests()

# The tab strip's arithmetic, the GUI library's plain C++ with no Windows
# header, and its tests (which the Windows tree runs too), under the sanitizers.
add_library(guilib_tab_layout STATIC ${CMAKE_SOURCE_DIR}/guilib/tabs/KGPTabLayout.cpp)
keyloft_include_root(guilib_tab_layout guilib/tabs guilib/core)
keyloft_warnings(guilib_tab_layout)
add_executable(guilib_tab_layout_tests ${CMAKE_SOURCE_DIR}/tests/guilib_tabs/TabLayoutTest.cpp)
target_link_libraries(guilib_tab_layout_tests PRIVATE guilib_tab_layout gtest_main)
keyloft_warnings(guilib_tab_layout_tests)
add_test(NAME native.guilib_tab_layout COMMAND guilib_tab_layout_tests)

# The caption bar's and the property sheet navigation's arithmetic, the same way.
add_library(guilib_caption_sheet_layout STATIC ${CMAKE_SOURCE_DIR}/guilib/panes/KGPCaptionBarLayout.cpp
            ${CMAKE_SOURCE_DIR}/guilib/sheets/KGPPropSheetLayout.cpp)
keyloft_include_root(guilib_caption_sheet_layout guilib/panes guilib/sheets guilib/core)
keyloft_warnings(guilib_caption_sheet_layout)
add_executable(guilib_caption_sheet_layout_tests ${CMAKE_SOURCE_DIR}/tests/guilib_captionbar/CaptionBarLayoutTest.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_propsheet/PropSheetLayoutTest.cpp)
target_link_libraries(guilib_caption_sheet_layout_tests PRIVATE guilib_caption_sheet_layout gtest_main)
keyloft_warnings(guilib_caption_sheet_layout_tests)
add_test(NAME native.guilib_caption_sheet_layout COMMAND guilib_caption_sheet_layout_tests)

# The docking family's plain arithmetic (split trees, auto-hidden panes'
# slides and buttons, smart-docking markers) and the tests' layout checker,
# with their tests, the same way.
add_library(guilib_docking_math STATIC ${CMAKE_SOURCE_DIR}/guilib/docking/KGPSplitMath.cpp
            ${CMAKE_SOURCE_DIR}/guilib/docking/KGPAutoHideMath.cpp
            ${CMAKE_SOURCE_DIR}/guilib/docking/KGPSmartDockingGeometry.cpp)
keyloft_include_root(guilib_docking_math guilib/docking guilib/core)
keyloft_warnings(guilib_docking_math)
add_executable(guilib_docking_math_tests ${CMAKE_SOURCE_DIR}/tests/guilib_docking/AutoHideMathTest.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_docking/SmartDockingGeometryTest.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_docking/DockLayoutCheckTest.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_docking/DockLayoutCheck.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_docking/SplitTreeCheck.cpp)
keyloft_include_root(guilib_docking_math_tests guilib/docking guilib/core tests/guilib_docking)
target_link_libraries(guilib_docking_math_tests PRIVATE guilib_docking_math gtest_main)
keyloft_warnings(guilib_docking_math_tests)
add_test(NAME native.guilib_docking_math COMMAND guilib_docking_math_tests)

# The frames family's plain arithmetic (the application bar's geometry, the
# MDI tab groups) and its tests.
add_library(guilib_frames_math STATIC ${CMAKE_SOURCE_DIR}/guilib/frames/KGPAppBarMath.cpp
            ${CMAKE_SOURCE_DIR}/guilib/frames/KGPMDITabGroupMath.cpp)
keyloft_include_root(guilib_frames_math guilib/frames guilib/core)
keyloft_warnings(guilib_frames_math)
add_executable(guilib_frames_math_tests ${CMAKE_SOURCE_DIR}/tests/guilib_frame_modes/AppBarMathTest.cpp
               ${CMAKE_SOURCE_DIR}/tests/guilib_frames/MDITabGroupMathTest.cpp)
keyloft_include_root(guilib_frames_math_tests guilib/frames guilib/core)
target_link_libraries(guilib_frames_math_tests PRIVATE guilib_frames_math gtest_main)
keyloft_warnings(guilib_frames_math_tests)
add_test(NAME native.guilib_frames_math COMMAND guilib_frames_math_tests)

# The outlook bar's plain arithmetic (buttons, pages, page buttons, the
# compact mode's toolbar and splitter, stored custom pages), the same way.
add_library(guilib_outlook_math STATIC ${CMAKE_SOURCE_DIR}/guilib/panes/KGPOutlookMath.cpp)
keyloft_include_root(guilib_outlook_math guilib/panes guilib/core)
keyloft_warnings(guilib_outlook_math)
add_executable(guilib_outlook_math_tests ${CMAKE_SOURCE_DIR}/tests/guilib_panes/OutlookMathTest.cpp)
target_link_libraries(guilib_outlook_math_tests PRIVATE guilib_outlook_math gtest_main)
keyloft_warnings(guilib_outlook_math_tests)
add_test(NAME native.guilib_outlook_math COMMAND guilib_outlook_math_tests)

# The tasks pane's and the toolbox's arithmetic (groups, scrolling, the
# collapse animation, the page history, the toolbox page), the same way.
add_library(guilib_panes_math STATIC ${CMAKE_SOURCE_DIR}/guilib/panes/KGPTasksPaneLayout.cpp
            ${CMAKE_SOURCE_DIR}/guilib/panes/KGPTasksHistory.cpp ${CMAKE_SOURCE_DIR}/guilib/panes/KGPToolBoxLayout.cpp)
keyloft_include_root(guilib_panes_math guilib/panes guilib/core)
keyloft_warnings(guilib_panes_math)
add_executable(guilib_panes_math_tests ${CMAKE_SOURCE_DIR}/tests/guilib_taskspane/TasksPaneLayoutTest.cpp)
target_link_libraries(guilib_panes_math_tests PRIVATE guilib_panes_math gtest_main)
keyloft_warnings(guilib_panes_math_tests)
add_test(NAME native.guilib_panes_math COMMAND guilib_panes_math_tests)

# Fuzz targets: tests/fuzz/fuzz_<name>.cpp with seeds in tests/fuzz/corpus/<name>/.
# Each is run over its seeds as a regression test, then explores a few seconds.
set(KEYLOFT_FUZZ_SECONDS 4 CACHE STRING "Seconds of bounded fuzzing per target in the test run")
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(src IN LISTS fuzz_sources)
    get_filename_component(target ${src} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" name ${target})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${KEYLOFT_PORTABLE_LIBS})
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    keyloft_warnings(${target})
    set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
    set(scratch ${CMAKE_BINARY_DIR}/fuzz-scratch/${name})
    add_test(NAME native.fuzz.${name}.seeds COMMAND ${target} -runs=0 ${seeds})
    add_test(NAME native.fuzz.${name}.explore
             COMMAND sh -c "rm -rf '${scratch}' && mkdir -p '${scratch}/corpus' && exec '$<TARGET_FILE:${target}>' -max_total_time=${KEYLOFT_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix='${scratch}/' '${scratch}/corpus' '${seeds}'")
endforeach()

# Benchmarks (run by hand: build/native/bench_<name>) compare steps within one
# run; the sanitizers would slow those steps unevenly, so the benchmarks and an
# optimised copy of the portable core they link are built without them.
keyloft_glob_sources(bench_core_sources core/portable)
add_library(core_portable_optimised STATIC ${bench_core_sources})
keyloft_include_root(core_portable_optimised core/portable)
set(bench_options -O2 -DNDEBUG)
set_target_properties(core_portable_optimised PROPERTIES COMPILE_OPTIONS "${bench_options}")
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/portable/*.cpp)
foreach(src IN LISTS bench_sources)
    get_filename_component(target ${src} NAME_WE)
    add_executable(${target} ${src})
    set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${bench_options}" LINK_OPTIONS "")
    target_link_libraries(${target} PRIVATE core_portable_optimised)
endforeach()
