# cmake -DROOT=<source root> -DFOLDERS=<folder,...> -P CheckRelativeIncludes.cmake
# Fails when a source or header below one of the folders includes a file by a
# path that climbs out of its folder ("../x.h", <../x.h>): such an include is
# found beside the including file, past the include root that decides what a
# library may see, so it would let a family reach a higher one unnoticed. The
# build runs it before the libraries it guards (WindowsBuild.cmake).
if(NOT ROOT OR NOT FOLDERS)
    message(FATAL_ERROR "usage: cmake -DROOT=<dir> -DFOLDERS=<folder,...> -P CheckRelativeIncludes.cmake")
endif()
string(REPLACE "," ";" FOLDERS "${FOLDERS}")
set(offenders)
foreach(folder IN LISTS FOLDERS)
    file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.hpp ${ROOT}/${folder}/*.inl
                            ${ROOT}/${folder}/*.c ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.rc)
    foreach(file IN LISTS files)
        file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
        foreach(line IN LISTS lines)
            file(RELATIVE_PATH shown ${ROOT} ${file})
            string(STRIP "${line}" line)
            list(APPEND offenders "  ${shown}: ${line}")
        endforeach()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n" listed)
    message(FATAL_ERROR "Include these by their path from the include root, not with \"../\":\n${listed}")
endif()
