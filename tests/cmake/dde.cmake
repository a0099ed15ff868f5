# The Program Manager operations through Wine's real DDE management library, against a stand-in
# Program Manager that the test program runs in a thread of its own; and the same stand-in as a
# program of its own, the Program Manager of the NT 3.51 Wine scenarios. The stand-in carries the
# group commands out by the simulated machine's own rules.
if(UNINSTLIB_PLATFORM_WINDOWS)
    set(PROGMAN_STAND_IN_SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/wine/dde_progman_server.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/wine/progman_state_file.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/winsim/progman_groups.cpp
        ${PROJECT_SOURCE_DIR}/src/platform/winsim/progman_commands.cpp)

    add_executable(dde_wine_tests ${CMAKE_CURRENT_SOURCE_DIR}/wine/dde_wine_test.cpp
                                  ${PROGMAN_STAND_IN_SOURCES})
    target_include_directories(dde_wine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(dde_wine_tests PRIVATE uninstlib_core ${TEST_LIBRARIES} user32)
    add_test(NAME dde_wine_tests COMMAND dde_wine_tests)

    add_executable(progman_stand_in ${CMAKE_CURRENT_SOURCE_DIR}/wine/progman_stand_in.cpp
                                    ${PROGMAN_STAND_IN_SOURCES})
    target_include_directories(progman_stand_in PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
                                                        ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(progman_stand_in PRIVATE user32)
endif()
