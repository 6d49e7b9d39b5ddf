# Checks a release archive of a Windows build against the build:
#
#   cmake -DARCHIVE=<x.zip> -DFILES=<file>,<file>,... -P CheckWindowsArchive.cmake
#
# Unpacked, it holds README.txt and a file of each name in FILES, nothing
# else and no folders, each with the bytes of the build's file (SHA-256):
# the DLL a user gets is the one the build's checks passed.
foreach(var ARCHIVE FILES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckWindowsArchive: ${var} is not set")
    endif()
endforeach()
if(NOT EXISTS "${ARCHIVE}")
    message(FATAL_ERROR "no archive ${ARCHIVE}: build the target windows_archive")
endif()

string(RANDOM LENGTH 8 suffix)
get_filename_component(dir "${ARCHIVE}" DIRECTORY)
set(unpacked "${dir}/check-${suffix}")
file(MAKE_DIRECTORY "${unpacked}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ARCHIVE}"
                WORKING_DIRECTORY "${unpacked}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    file(REMOVE_RECURSE "${unpacked}")
    message(FATAL_ERROR "cannot unpack ${ARCHIVE}")
endif()

set(faults "")
string(REPLACE "," ";" FILES "${FILES}")
set(expected README.txt)
foreach(source IN LISTS FILES)
    get_filename_component(name "${source}" NAME)
    list(APPEND expected "${name}")
    if(NOT EXISTS "${unpacked}/${name}")
        continue()
    endif()
    file(SHA256 "${source}" want)
    file(SHA256 "${unpacked}/${name}" got)
    if(NOT got STREQUAL want)
        list(APPEND faults "${name} is not the build's ${source}")
    endif()
endforeach()
file(GLOB_RECURSE found LIST_DIRECTORIES true RELATIVE "${unpacked}" "${unpacked}/*")
list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
    list(APPEND faults "holds [${found}], not [${expected}]")
endif()
file(REMOVE_RECURSE "${unpacked}")

if(faults)
    foreach(text IN LISTS faults)
        message("${ARCHIVE}: ${text}")
    endforeach()
    message(FATAL_ERROR "${ARCHIVE} is not the build's")
endif()
list(LENGTH found count)
message(STATUS "${ARCHIVE}: the ${count} files of the build")
