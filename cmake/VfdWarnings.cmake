# Warnings are errors for our own code; third-party headers come in as SYSTEM
# includes so their warnings never stop the build. -Wshadow and -Wconversion
# catch the shadowed names and silent narrowing that cause quiet bugs in byte
# and column arithmetic; -Wpedantic keeps the code standard C and C++.
if(MSVC)
    add_compile_options(/W4 /WX)
else()
    add_compile_options(-Wall -Wextra -Wshadow -Wconversion -Wpedantic -Werror)
    # GCC 12 at -O3 reports overlapping copies inside libstdc++'s
    # `"literal" + std::string&&` (GCC bug 105329), which is sound code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
    endif()
endif()
