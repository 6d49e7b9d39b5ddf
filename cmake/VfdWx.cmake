# wxWidgets as an imported target whose headers are SYSTEM includes.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS xrc html adv core base xml)
add_library(vfd_wx INTERFACE)
add_library(vfd::wx ALIAS vfd_wx)
target_include_directories(vfd_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(vfd_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(vfd_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(vfd_wx INTERFACE ${wxWidgets_LIBRARIES})

# On Linux wx draws with GTK 3. A few places reach below wx (radio groups with
# no button checked; tests answering native message boxes): they link vfd::gtk.
if("__WXGTK__" IN_LIST wxWidgets_DEFINITIONS)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
    add_library(vfd_gtk INTERFACE)
    add_library(vfd::gtk ALIAS vfd_gtk)
    target_link_libraries(vfd_gtk INTERFACE PkgConfig::GTK3)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Without GTK the GUI tests and the radio groups' workaround would be
    # left out without a word.
    message(FATAL_ERROR "wxWidgets here is not the GTK 3 port (wx-config --selected-config); "
                        "install libwxgtk3.2-dev, or configure with -DVFDKIT_BUILD_GUI=OFF")
endif()

include(VfdXrc)
