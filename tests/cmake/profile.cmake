# Profile files: the scratch folders of the notes.ini tests, on both platforms. Their clean-up is
# the file tests' (files.cmake).
set(PROFILE_TEST_SUPPORT ${CMAKE_CURRENT_SOURCE_DIR}/support/profile_files.cpp)
target_sources(uninstlib_tests PRIVATE ${PROFILE_TEST_SUPPORT})
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    target_sources(uninstlib_native_tests PRIVATE ${PROFILE_TEST_SUPPORT})
endif()
