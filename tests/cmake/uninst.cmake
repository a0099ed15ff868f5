# uninst.exe: what it may remove, decided by one function that the native tests check case by case;
# under Wine, the whole suite removed and two restarts, after which nothing of the suite is left.
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    target_sources(uninstlib_native_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/uninst/removal_target.cpp)
    target_include_directories(uninstlib_native_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/uninst)
endif()
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_test(NAME uninstaller_restarts_wine
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/uninstaller_restarts.sh ${CMAKE_BINARY_DIR}/bin
                     ${UNINSTLIB_NATIVE_BIN}/ovuninstall)
endif()
