# The simulated machine's own tests: the machine images they load, and a module for the library
# loader tests that exports a function and a DllMain and depends on libwinsim.
if(TARGET winsim_tests)
    target_compile_definitions(winsim_tests PRIVATE
        WINSIM_MACHINES_DIR="${CMAKE_CURRENT_LIST_DIR}/../machines")
    add_library(winsim_probe SHARED ${CMAKE_CURRENT_LIST_DIR}/../winsim/probe_module/probe_module.cpp)
    target_link_libraries(winsim_probe PRIVATE winsim)
    add_dependencies(winsim_tests winsim_probe)
endif()
