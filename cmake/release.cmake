# What makes a build a release: one version number (project(VERSION) in the top CMakeLists.txt) in
# every file, the layout `cmake --install` gives a server and a caller's author, and the ZIP that
# cpack makes of it.
set(UNINSTLIB_PRODUCT_NAME "Orvanta Suite Uninstaller")
set(UNINSTLIB_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${UNINSTLIB_GENERATED_DIR}/uninstlib_version.h
               @ONLY)
target_include_directories(ovuninstall PRIVATE ${UNINSTLIB_GENERATED_DIR})

if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    return()
endif()

# A VERSIONINFO resource for one of the files a server gets: what its Properties show and what
# installers compare.
function(add_version_resource target file_name file_type description)
    set(VERSION_FILE_NAME ${file_name})
    set(VERSION_FILE_TYPE ${file_type})
    set(VERSION_DESCRIPTION ${description})
    set(VERSION_INTERNAL_NAME ${target})
    set(resource ${UNINSTLIB_GENERATED_DIR}/${target}_version.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version.rc.in ${resource} @ONLY)
    target_sources(${target} PRIVATE ${resource})
endfunction()
add_version_resource(uninstlib uninstlib.dll VFT_DLL "Orvanta suite removal library")
add_version_resource(ovuninstall ovuninstall.exe VFT_APP "Orvanta suite uninstall program")
add_version_resource(uninst uninst.exe VFT_APP
                     "Removes the Orvanta uninstaller's files at the next start")

# A server gets the three programs in bin/; a caller's author the header, the MinGW import
# library, the export table as a .def (from which MSVC's `lib /def` makes an import library), the
# caller guide with its example, and the fleet guide with its examples.
install(TARGETS uninstlib ovuninstall uninst RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/include/uninstlib/uninstlib.h DESTINATION include/uninstlib)
install(FILES ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/uninstlib.def DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/docs/caller-guide.md ${PROJECT_SOURCE_DIR}/docs/fleet.md
        DESTINATION doc)
install(FILES ${PROJECT_SOURCE_DIR}/docs/examples/caller_example.c DESTINATION doc/examples)
install(FILES ${PROJECT_SOURCE_DIR}/docs/examples/windows/caller_system.h
        DESTINATION doc/examples/windows)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/fleet DESTINATION doc)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME uninstlib)
set(CPACK_PACKAGE_VENDOR Tarvelle)
set(CPACK_PACKAGE_FILE_NAME uninstlib-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${UNINSTLIB_PRODUCT_NAME}")
include(CPack)
