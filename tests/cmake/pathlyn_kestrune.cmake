# The Pathlyn and Kestrune tests seed their machines with the families' footprints from the sample
# machines, beside the suite's, through the sample machine builder over the simulated machine.
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    set(OVUNINSTALL_DIR ${PROJECT_SOURCE_DIR}/tools/ovuninstall)
    target_sources(uninstlib_native_tests PRIVATE ${OVUNINSTALL_DIR}/demo_pathlyn.cpp
                   ${OVUNINSTALL_DIR}/demo_kestrune.cpp)
    get_target_property(NATIVE_TEST_SOURCES_NOW uninstlib_native_tests SOURCES)
    if(NOT NATIVE_TEST_SOURCES_NOW MATCHES "demo_machine_winsim\\.cpp")
        target_sources(uninstlib_native_tests PRIVATE ${OVUNINSTALL_DIR}/demo_machine_winsim.cpp)
    endif()
    target_include_directories(uninstlib_native_tests PRIVATE ${OVUNINSTALL_DIR})
endif()
