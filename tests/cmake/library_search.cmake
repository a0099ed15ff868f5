# Under Wine, a library planted in the folder the uninstaller is started from is never loaded: a
# stand-in that leaves a mark when it is, and the test that plants it.
if(UNINSTLIB_PLATFORM_WINDOWS)
    add_library(planted_library SHARED ${CMAKE_CURRENT_SOURCE_DIR}/programs/planted_library.cpp)
    set_target_properties(planted_library PROPERTIES PREFIX "")
    target_include_directories(planted_library PRIVATE ${PROJECT_SOURCE_DIR}/src)
    add_test(NAME planted_library_wine
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/planted_library.sh ${CMAKE_BINARY_DIR}/bin
                     ${UNINSTLIB_NATIVE_BIN}/ovuninstall)
endif()
