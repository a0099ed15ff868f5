# The service operations and RunAndWait against Wine's service control manager and process
# creation: a real test service, a test program to run, and a test executable of their own.
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_executable(services_test_service ${CMAKE_CURRENT_SOURCE_DIR}/programs/services_test_service.cpp)
    add_executable(programs_test_program ${CMAKE_CURRENT_SOURCE_DIR}/programs/programs_test_program.cpp)

    file(GLOB SERVICES_WINE_TEST_SOURCES CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/wine/services_*.cpp)
    add_executable(services_wine_tests ${SERVICES_WINE_TEST_SOURCES})
    target_include_directories(services_wine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(services_wine_tests PRIVATE uninstlib_core ${TEST_LIBRARIES})
    add_dependencies(services_wine_tests services_test_service programs_test_program)
    add_test(NAME services_wine_tests COMMAND services_wine_tests)
endif()
