# GoogleTest for a cross build: Debian ships its sources, not libraries for
# the target, so the tests build them with the target's compilers. Provides
# the same GTest::gtest, GTest::gtest_main and GTest::gmock targets as
# find_package(GTest) does natively.
set(VFD_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources for cross builds")
if(NOT EXISTS ${VFD_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${VFD_GTEST_SOURCE_DIR}: install the "
                        "Debian package googletest (scripts/deps.sh win32)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)

# Our warnings-as-errors are for our code, not GoogleTest's.
get_directory_property(vfd_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${VFD_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${vfd_saved_options}")
