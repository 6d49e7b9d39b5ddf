# wxWidgets as an imported target whose headers are SYSTEM includes.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS xrc html adv core base xml)
add_library(vfd_wx INTERFACE)
add_library(vfd::wx ALIAS vfd_wx)
target_include_directories(vfd_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(vfd_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(vfd_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(vfd_wx INTERFACE ${wxWidgets_LIBRARIES})
