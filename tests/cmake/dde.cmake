# The Program Manager operations through Wine's real DDE management library, against a stand-in
# Program Manager that the test program runs in a thread of its own.
if(UNINSTLIB_PLATFORM_WINDOWS)
    file(GLOB DDE_WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/wine/dde_*.cpp)
    add_executable(dde_wine_tests ${DDE_WINE_TEST_SOURCES})
    target_include_directories(dde_wine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(dde_wine_tests PRIVATE uninstlib_core ${TEST_LIBRARIES} user32)
    add_test(NAME dde_wine_tests COMMAND dde_wine_tests)
endif()
