# The library's export table holds exactly the names a caller binds to, and nothing else.
set(UNINSTLIB_EXPECTED_EXPORTS ovGetPartition ovSetPartition ovSetPartitionExt ovShouldCreateEnv)
if(UNINSTLIB_PLATFORM_WINDOWS)
    list(APPEND UNINSTLIB_EXPECTED_EXPORTS "?InitInstalledApps@@YA_NXZ"
         "?EnumInstalledApps@@YA_NP6A_NPEBD000@Z@Z" "?UninstallProduct@@YA_NPEBD000P6A_N0HHK@ZK@Z")
    set(EXPORT_LISTER x86_64-w64-mingw32-objdump)
    set(EXPORT_FORMAT pe)
else()
    # Natively the plain names, and the entry point the simulated machine calls on load and unload.
    list(APPEND UNINSTLIB_EXPECTED_EXPORTS InitInstalledApps EnumInstalledApps UninstallProduct DllMain)
    set(EXPORT_LISTER nm)
    set(EXPORT_FORMAT elf)
endif()
add_test(NAME library_exports
         COMMAND ${CMAKE_COMMAND} -DLISTER=${EXPORT_LISTER} -DFORMAT=${EXPORT_FORMAT}
                 -DLIBRARY=$<TARGET_FILE:uninstlib> "-DEXPECTED=${UNINSTLIB_EXPECTED_EXPORTS}"
                 -P ${CMAKE_CURRENT_LIST_DIR}/check_exports.script)
