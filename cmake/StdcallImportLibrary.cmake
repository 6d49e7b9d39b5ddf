# Writes the import library of a DLL whose __stdcall functions are exported
# under plain names through a .def file:
#
#   cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DDLL=<file.dll> -DDEF=<file.def>
#         -DIMPORT_LIBRARY=<lib.dll.a> -P StdcallImportLibrary.cmake
#
# A caller compiled against the header refers to a __stdcall function by its
# decorated name (_OpenDComm@12), while the DLL exports OpenDComm. The linker's
# own import library carries only the plain names, so such callers would not
# link. This one maps each decorated name onto the plain export: the
# decorations are read from the DLL's symbols, the names and ordinals from
# the .def. Forwarded names (another DLL's functions) are left out.

foreach(var NM DLLTOOL DLL DEF IMPORT_LIBRARY)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "StdcallImportLibrary: ${var} is not set")
    endif()
endforeach()

execute_process(COMMAND "${NM}" "${DLL}" OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} ${DLL} failed (${rc})")
endif()
string(PREPEND symbols "\n")

get_filename_component(dll_name "${DLL}" NAME)
set(decorated "LIBRARY \"${dll_name}\"\nEXPORTS\n")
file(STRINGS "${DEF}" def_lines)
set(in_exports FALSE)
foreach(line IN LISTS def_lines)
    string(REGEX REPLACE ";.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line MATCHES "^EXPORTS$")
        set(in_exports TRUE)
        continue()
    endif()
    if(NOT in_exports OR NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)( *= *([^ ]+))?( +@([0-9]+))?$")
        continue()
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(function "${CMAKE_MATCH_1}")
    if(NOT "${CMAKE_MATCH_3}" STREQUAL "")
        set(function "${CMAKE_MATCH_3}")
    endif()
    set(ordinal "")
    if(NOT "${CMAKE_MATCH_5}" STREQUAL "")
        set(ordinal " @${CMAKE_MATCH_5}")
    endif()
    if(function MATCHES "\\.")
        continue()
    endif()
    if(NOT symbols MATCHES "\n[0-9a-f]+ T _${function}@([0-9]+)\n")
        message(FATAL_ERROR "${DLL}: no __stdcall symbol _${function}@N for the export ${name}")
    endif()
    string(APPEND decorated "    ${name}@${CMAKE_MATCH_1}${ordinal}\n")
endforeach()

set(decorated_def "${IMPORT_LIBRARY}.def")
file(WRITE "${decorated_def}" "${decorated}")
# --kill-at: each decorated name imports the plain one.
execute_process(
    COMMAND "${DLLTOOL}" --input-def "${decorated_def}" --dllname "${dll_name}" --kill-at
            --output-lib "${IMPORT_LIBRARY}"
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} could not write ${IMPORT_LIBRARY} (${rc})")
endif()
