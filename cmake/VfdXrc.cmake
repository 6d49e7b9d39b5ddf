# vfd_add_xrc(<target> FUNCTION <name> FILES <file.xrc>...)
#
# Compiles XRC resources into a program with wxrc: the windows, and the icons
# and bitmaps they name (PNG or XPM files beside the XRC file), end up in the
# program itself. The program calls <name>() once at start, after
# InitWxResources(), and then loads its windows by their numeric names
# (LoadXrcDialog, LoadXrcPanel, LoadXrcIcon in platform/ui/wx/WxResources.h).
if(wxWidgets_wxrc_EXECUTABLE)
    set(VFD_WXRC ${wxWidgets_wxrc_EXECUTABLE})
else()
    find_program(VFD_WXRC NAMES wxrc wxrc-3.2 REQUIRED)
endif()

function(vfd_add_xrc target)
    cmake_parse_arguments(X "" "FUNCTION" "FILES" ${ARGN})
    if(NOT X_FUNCTION OR NOT X_FILES)
        message(FATAL_ERROR "vfd_add_xrc(${target}): FUNCTION and FILES are required")
    endif()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_${X_FUNCTION}.cpp)
    set(inputs)
    set(depends)
    foreach(file ${X_FILES})
        get_filename_component(xrc ${file} ABSOLUTE)
        get_filename_component(dir ${xrc} DIRECTORY)
        list(APPEND inputs ${xrc})
        # The images an XRC file names are part of it: rebuild when they
        # change, and configure again when the XRC file names others.
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${xrc})
        file(STRINGS ${xrc} lines REGEX "\\.(png|xpm|ico|bmp)[ \t]*<")
        foreach(line ${lines})
            string(REGEX MATCHALL "[^<>]+\\.(png|xpm|ico|bmp)[ \t]*<" names "${line}")
            foreach(name ${names})
                string(REGEX REPLACE "[ \t]*<$" "" name "${name}")
                string(STRIP "${name}" name)
                list(APPEND depends ${dir}/${name})
            endforeach()
        endforeach()
    endforeach()
    add_custom_command(OUTPUT ${output}
        COMMAND ${VFD_WXRC} --cpp-code --function=${X_FUNCTION} --output=${output} ${inputs}
        DEPENDS ${inputs} ${depends}
        COMMENT "Compiling the resources of ${target}"
        VERBATIM)
    # Generated code: its warnings are not ours to fix.
    set_source_files_properties(${output} PROPERTIES COMPILE_OPTIONS "$<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>")
    target_sources(${target} PRIVATE ${output})
endfunction()
