# vfd_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [PROPERTIES ...])
#
# One GoogleTest executable per module, its cases registered with ctest one by
# one. Labels: unit (logic with fakes, fast), protocol (end to end over a
# pseudo-terminal), gui (real windows under Xvfb), slow (real time).
#
# A gui test gets the main of platform/ui/wx/testing (wx started, no main
# loop, assertions and errors to stderr), runs alone (RUN_SERIAL: one
# screen, one pointer) and is stopped after VFD_GUI_TEST_TIMEOUT seconds.
include(GoogleTest)

set(VFD_GUI_TEST_TIMEOUT 120 CACHE STRING "Seconds a single GUI test may run")

function(vfd_add_test name)
    if(NOT VFDKIT_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    set(main GTest::gtest_main)
    set(properties)
    if("gui" IN_LIST T_LABELS)
        set(main vfd::wx_testing)
        set(properties RUN_SERIAL TRUE TIMEOUT ${VFD_GUI_TEST_TIMEOUT})
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${main} GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # In the optimised builds the tests' own sources, mostly GoogleTest's
    # templates, build in about half the time at -O1 without debug
    # information; what they test keeps the build's flags. The debug preset
    # is the one to step through a test with.
    if(NOT MSVC)
        target_compile_options(${name} PRIVATE "$<$<CONFIG:Release,RelWithDebInfo>:-O1;-g0>")
    endif()
    # Helpers every test may use (platform/testing).
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/platform/testing)
    if(WIN32)
        # Windows looks for a program's DLLs beside it.
        set(dlls "$<TARGET_RUNTIME_DLLS:${name}>")
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND "$<$<BOOL:${dlls}>:${CMAKE_COMMAND};-E;copy_if_different;${dlls};$<TARGET_FILE_DIR:${name}>>"
            COMMAND_EXPAND_LISTS VERBATIM)
    endif()
    target_compile_definitions(${name} PRIVATE
        VFDKIT_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VFDKIT_BINARY_DIR="${CMAKE_BINARY_DIR}")
    # A cross build without a way to run its programs builds the tests and
    # registers none: discovery would have to run them.
    if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
        return()
    endif()
    # Discovery at test time keeps the build free of running test binaries
    # (and works under emulators and sanitizers alike).
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${properties} ${T_PROPERTIES})
    # The labels are set once the tests are known: through PROPERTIES a list
    # of labels would be taken apart into property names and values.
    set(labels_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
    file(WRITE ${labels_file}
        "if(${name}_TESTS)\n"
        "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${T_LABELS}\")\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_file})
endfunction()

# vfd_add_wine_test(<name> SCRIPT <script.sh> [ARGS ...])
#
# A Windows program's end-to-end test in a cross build: the bash script runs
# under the build's Wine prefix with the arguments WINE ARGS... VFDSIM, where
# VFDSIM is the vfdsim of the native build (scripts/wine-com-port.sh starts
# it and maps a COM port onto it). Labelled protocol. Only where Wine is.
set(VFD_HOST_VFDSIM ${PROJECT_SOURCE_DIR}/build/bin/vfdsim CACHE FILEPATH
    "vfdsim built for this machine, for the Windows programs' end-to-end tests")
function(vfd_add_wine_test name)
    if(NOT VFDKIT_BUILD_TESTS OR NOT VFD_WINE OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
        return()
    endif()
    cmake_parse_arguments(T "" "SCRIPT" "ARGS" ${ARGN})
    add_test(NAME ${name}
        COMMAND ${VFD_WINE_ENV} bash ${T_SCRIPT} ${VFD_WINE} ${T_ARGS} ${VFD_HOST_VFDSIM})
    set_tests_properties(${name} PROPERTIES LABELS protocol TIMEOUT 120)
endfunction()

# Tools for the developers (renderers of pictures and controls) go to
# build/tools, apart from the programs a user runs, and are never installed.
function(vfd_developer_tool target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endfunction()
