# The release: the version resources of the three files a server gets, read back under Wine, and
# the ZIP that cpack makes, checked and used from its unpacked folder.
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_executable(version_resources_test ${CMAKE_CURRENT_SOURCE_DIR}/wine/version_resources_test.cpp)
    target_include_directories(version_resources_test PRIVATE ${UNINSTLIB_GENERATED_DIR})
    target_link_libraries(version_resources_test PRIVATE program_folder version ${TEST_LIBRARIES})
    add_dependencies(version_resources_test uninstlib ovuninstall uninst)
    add_test(NAME version_resources COMMAND version_resources_test)

    add_test(NAME release_package
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/release_package.sh ${CMAKE_BINARY_DIR}
                     ${UNINSTLIB_NATIVE_BIN}/ovuninstall ${PROJECT_VERSION})
endif()
