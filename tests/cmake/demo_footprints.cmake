# The family tests seed their machines with the footprints of the sample machines, through the
# sample machine builder over the simulated machine: every footprint writer is built into the
# native tests (a file named twice is built once).
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    set(OVUNINSTALL_DIR ${PROJECT_SOURCE_DIR}/tools/ovuninstall)
    file(GLOB DEMO_FOOTPRINT_SOURCES CONFIGURE_DEPENDS ${OVUNINSTALL_DIR}/demo_*.cpp)
    list(FILTER DEMO_FOOTPRINT_SOURCES EXCLUDE REGEX "demo_(generator_[a-z]+|footprints)\\.cpp$")
    target_sources(uninstlib_native_tests PRIVATE ${DEMO_FOOTPRINT_SOURCES})
    target_include_directories(uninstlib_native_tests PRIVATE ${OVUNINSTALL_DIR})
endif()
