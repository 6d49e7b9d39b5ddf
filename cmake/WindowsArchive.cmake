# Writes the release archive of a Windows build:
#
#   cmake -DARCHIVE=<x.zip> -DMACHINE=x86|x64 -DVERSION=<version>
#         -DREADME=<README.txt.in> -DFILES=<file>,<file>,... -P WindowsArchive.cmake
#
# The files go in flat, beside README.txt made from its template. The
# archive is written anew, never added to.
foreach(var ARCHIVE MACHINE VERSION README FILES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "WindowsArchive: ${var} is not set")
    endif()
endforeach()

if(MACHINE STREQUAL "x86")
    set(ARCH_TEXT "32-bit Windows (x86)")
    set(CONVENTION "The functions are __stdcall (VF620_API in VF620.h), the convention other\nlanguages assume for a Windows DLL; the exports carry the plain names.")
    set(CONVENTION_SHORT "__stdcall")
    set(LOADER WinDLL)
else()
    set(ARCH_TEXT "64-bit Windows (x64)")
    set(CONVENTION "x64 has one calling convention: VF620_API (__stdcall) in VF620.h changes\nnothing there, and the exports carry the plain names.")
    set(CONVENTION_SHORT "the x64 convention")
    set(LOADER CDLL)
endif()

get_filename_component(archive_name "${ARCHIVE}" NAME_WE)
get_filename_component(archive_dir "${ARCHIVE}" DIRECTORY)
set(stage "${archive_dir}/${archive_name}")
file(REMOVE_RECURSE "${stage}")
file(REMOVE "${ARCHIVE}")
file(MAKE_DIRECTORY "${stage}")
configure_file("${README}" "${stage}/README.txt" @ONLY NEWLINE_STYLE CRLF)
string(REPLACE "," ";" FILES "${FILES}")
set(names README.txt)
foreach(source IN LISTS FILES)
    file(COPY "${source}" DESTINATION "${stage}")
    get_filename_component(name "${source}" NAME)
    list(APPEND names "${name}")
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ARCHIVE}" --format=zip -- ${names}
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not write ${ARCHIVE}")
endif()
file(REMOVE_RECURSE "${stage}")
