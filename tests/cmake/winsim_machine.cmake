# The simulated machine's own tests: the machine images they load.
if(TARGET winsim_tests)
    target_compile_definitions(winsim_tests PRIVATE
        WINSIM_MACHINES_DIR="${CMAKE_CURRENT_LIST_DIR}/../machines")
endif()
