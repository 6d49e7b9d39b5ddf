# vfd_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [PROPERTIES ...])
#
# One GoogleTest executable per module, its cases registered with ctest one by
# one. Labels: unit (logic with fakes, fast), protocol (end to end over a
# pseudo-terminal), gui (real windows under Xvfb), slow (real time).
include(GoogleTest)

function(vfd_add_test name)
    if(NOT VFDKIT_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        VFDKIT_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VFDKIT_BINARY_DIR="${CMAKE_BINARY_DIR}")
    # Discovery at test time keeps the build free of running test binaries
    # (and works under emulators and sanitizers alike).
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${T_LABELS}" ${T_PROPERTIES})
endfunction()
