# Warnings are errors for our own code; third-party headers come in as SYSTEM
# includes so their warnings never stop the build.
if(MSVC)
    add_compile_options(/W4 /WX)
else()
    add_compile_options(-Wall -Wextra -Werror)
endif()
