# The family tests seed their machines with the footprints of the sample machines, through the
# sample-machine generator's builder over the simulated machine.
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    target_link_libraries(uninstlib_native_tests PRIVATE sample_machine)
endif()
