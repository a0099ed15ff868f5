# File removal: the scratch trees of the tests that run on both platforms, and the clean-up that
# the simulated machine's own file tests share with them.
set(FILES_REMOVE_SUPPORT ${CMAKE_CURRENT_SOURCE_DIR}/support/files_remove.cpp)
set(FILES_TEST_SUPPORT ${CMAKE_CURRENT_SOURCE_DIR}/support/files_tree.cpp ${FILES_REMOVE_SUPPORT})
target_sources(uninstlib_tests PRIVATE ${FILES_TEST_SUPPORT})
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    target_sources(uninstlib_native_tests PRIVATE ${FILES_TEST_SUPPORT})
    if(TARGET winsim_tests)
        # The clean-up removes links through the machine's own link removal.
        target_sources(winsim_tests PRIVATE ${FILES_REMOVE_SUPPORT}
                                            ${CMAKE_CURRENT_SOURCE_DIR}/support/machine_winsim.cpp)
    endif()
endif()
