# The test service the Wine scenarios' machines run (its arguments give its stop behaviour), and
# RunAndWait against Wine's process creation with a test program of its own.
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_executable(services_test_service ${CMAKE_CURRENT_SOURCE_DIR}/programs/services_test_service.cpp)
    add_executable(programs_test_program ${CMAKE_CURRENT_SOURCE_DIR}/programs/programs_test_program.cpp)

    add_executable(programs_wine_tests ${CMAKE_CURRENT_SOURCE_DIR}/wine/programs_wine_test.cpp)
    target_include_directories(programs_wine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(programs_wine_tests PRIVATE uninstlib_core ${TEST_LIBRARIES})
    add_dependencies(programs_wine_tests programs_test_program)
    add_test(NAME programs_wine_tests COMMAND programs_wine_tests)
endif()
