# The library refuses to load on a system it does not recognise.
add_executable(load_library_probe ${CMAKE_CURRENT_LIST_DIR}/../programs/load_library_probe.cpp)
target_include_directories(load_library_probe PRIVATE ${PROJECT_SOURCE_DIR}/src)
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_dependencies(load_library_probe uninstlib)
    add_test(NAME refuses_unrecognised_system
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../wine/refuses_unrecognised_system.sh
                     ${CMAKE_BINARY_DIR}/bin)
else()
    target_link_libraries(load_library_probe PRIVATE winsim)
endif()
