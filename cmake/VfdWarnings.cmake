# Warnings are errors for our own code; third-party headers come in as SYSTEM
# includes so their warnings never stop the build.
if(MSVC)
    add_compile_options(/W4 /WX)
else()
    add_compile_options(-Wall -Wextra -Werror)
    # GCC 12 at -O3 reports overlapping copies inside libstdc++'s
    # `"literal" + std::string&&` (GCC bug 105329), which is sound code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
    endif()
endif()

# The stricter warnings (shadowed names, narrowing conversions, non-standard
# C++), folder by folder while the rest of the tree is brought up to them:
# vfd_strict_warnings() in a folder's CMakeLists.txt covers its targets and
# those of its subfolders. VFDKIT_STRICT_WARNINGS_EVERYWHERE turns them on
# for the whole tree, to count what is left.
option(VFDKIT_STRICT_WARNINGS_EVERYWHERE "The stricter warnings in every folder" OFF)
set(VFD_STRICT_WARNINGS -Wshadow -Wconversion -Wpedantic)
macro(vfd_strict_warnings)
    if(NOT MSVC)
        add_compile_options(${VFD_STRICT_WARNINGS})
    endif()
endmacro()
if(VFDKIT_STRICT_WARNINGS_EVERYWHERE)
    vfd_strict_warnings()
endif()
