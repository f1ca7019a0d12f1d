# cmake -DCHECK=<CheckRelativeIncludes.cmake> -DWORK=<scratch folder> -P RelativeIncludeCheckTest.cmake
# The build's check of includes spelled with "../": a tree without one passes, and
# each spelling of one (quoted or angled, in a header or a source, indented,
# in a folder below the one named) fails the check, which names the file.
file(REMOVE_RECURSE ${WORK})

function(run_check folders out_result out_output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -DFOLDERS=${folders} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${out_result} ${result} PARENT_SCOPE)
    set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

file(WRITE ${WORK}/lib/a/Good.cpp "#include \"lib/a/Good.h\"\n#include <windows.h>\n// see ../b for the other half\n")
file(WRITE ${WORK}/lib/a/Good.h "#pragma once\n#include \"a/Good.h\"\n")
file(WRITE ${WORK}/outside/Bad.cpp "#include \"../lib/a/Good.h\"\n")
run_check(lib,other result output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "a tree without relative includes was refused:\n${output}")
endif()

set(cases
    "Quoted.cpp|#include \"../b/X.h\""
    "Angled.h|#include <../b/X.h>"
    "deeper/Indented.cpp|  #  include \"sub/../../b/X.h\"")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 name)
    list(GET parts 1 line)
    file(REMOVE_RECURSE ${WORK}/other)
    file(WRITE ${WORK}/other/${name} "// first line\n${line}\n")
    run_check(lib,other result output)
    if(result EQUAL 0)
        message(FATAL_ERROR "the check let \"${line}\" in other/${name} pass")
    endif()
    if(NOT output MATCHES "other/${name}")
        message(FATAL_ERROR "the check's message does not name other/${name}:\n${output}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
