# The console face on a real terminal: ovuninstall in tmux at three widths, its screens compared
# with the expected ones (tests/console/screens), a second uninstaller refused meanwhile.
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    add_test(NAME console_screens
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../console/screens_test.sh $<TARGET_FILE:ovuninstall>)
endif()
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_test(NAME console_wine
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../console/wine_console_test.sh ${CMAKE_BINARY_DIR}/bin
                     ${PROJECT_SOURCE_DIR}/build/native/bin/ovuninstall)
endif()
