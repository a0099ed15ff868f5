# The documentation's own checks. The caller guide's C example is built as C and run on a sample
# machine: natively against the simulated machine, and cross-built under Wine. Natively the
# commands the documents mark runnable are run too, so the documents follow the code.
enable_language(C)
set(CALLER_EXAMPLE_DIR ${PROJECT_SOURCE_DIR}/docs/examples)
add_executable(caller_example ${CALLER_EXAMPLE_DIR}/caller_example.c)
set_target_properties(caller_example PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
target_include_directories(caller_example PRIVATE ${PROJECT_SOURCE_DIR}/include)
add_dependencies(caller_example uninstlib ovrt)

if(UNINSTLIB_PLATFORM_WINDOWS)
    target_include_directories(caller_example PRIVATE ${CALLER_EXAMPLE_DIR}/windows)
    # The sample machine is written by the native build's ovuninstall, made before this one.
    set(UNINSTLIB_NATIVE_BIN ${PROJECT_SOURCE_DIR}/build/native/bin
        CACHE PATH "Folder of the native build's programs")
    add_test(NAME caller_example_wine
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../docs/run_caller_example_wine.sh
                     ${CMAKE_BINARY_DIR}/bin ${UNINSTLIB_NATIVE_BIN}/ovuninstall)
else()
    target_include_directories(caller_example PRIVATE ${CALLER_EXAMPLE_DIR}/native
                                                      ${PROJECT_SOURCE_DIR}/src)
    target_sources(caller_example PRIVATE ${CALLER_EXAMPLE_DIR}/native/caller_machine.cpp)
    target_link_libraries(caller_example PRIVATE winsim)
    add_test(NAME caller_example
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../docs/run_caller_example.sh
                     $<TARGET_FILE:caller_example> $<TARGET_FILE:ovuninstall>)
endif()

if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    # Every command the documents mark runnable, against this build; the C block of the caller
    # guide must equal the example above.
    add_test(NAME doc_commands
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/../docs/check_doc_commands.sh ${PROJECT_SOURCE_DIR}
                     ${CMAKE_BINARY_DIR})
endif()
