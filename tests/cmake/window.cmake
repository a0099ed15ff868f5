# The window face: its model natively; the window itself with the Windows build, in a real window
# under Xvfb, driven with the keyboard (skipped without Xvfb or xdotool).
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    add_executable(window_model_tests ${CMAKE_CURRENT_LIST_DIR}/../window/window_model_test.cpp)
    target_link_libraries(window_model_tests PRIVATE ovuninstall_window_model ${TEST_LIBRARIES})
    add_test(NAME window_model_tests COMMAND window_model_tests)
else()
    foreach(mode removal close)
        add_test(NAME window_xvfb_${mode}
                 COMMAND ${CMAKE_CURRENT_LIST_DIR}/../window/window_xvfb_test.sh ${mode}
                         ${CMAKE_BINARY_DIR}/bin ${PROJECT_SOURCE_DIR}/build/native/bin/ovuninstall)
        set_tests_properties(window_xvfb_${mode} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
    endforeach()
endif()
