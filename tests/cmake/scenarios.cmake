# Scenario tests: the uninstall program run end to end on machine images, natively (scenario_tests)
# and, with the Windows build, under Wine (wine_scenario_tests, a native program that drives Wine;
# the Windows preset runs it from the native build folder).
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    find_package(nlohmann_json 3 REQUIRED)
    set(SCENARIO_SUPPORT
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario_image.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario_expectations.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/machine_snapshot.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/program_run.cpp)
    foreach(runner scenario_tests wine_scenario_tests interruption_sweep)
        add_executable(${runner} ${SCENARIO_SUPPORT})
        target_include_directories(${runner} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
        target_link_libraries(${runner} PRIVATE winsim nlohmann_json::nlohmann_json ${TEST_LIBRARIES})
        target_compile_definitions(${runner} PRIVATE
            OVUNINSTALL_PROGRAM="$<TARGET_FILE:ovuninstall>"
            SCENARIOS_FOLDER="${CMAKE_CURRENT_LIST_DIR}/../scenarios")
        add_dependencies(${runner} ovuninstall uninstlib ovrt)
    endforeach()
    # The console's progress line is tested as it is, without a terminal.
    set(CONSOLE_DIR ${PROJECT_SOURCE_DIR}/tools/ovuninstall/console)
    target_sources(scenario_tests PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/ovuninstall_cli_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/whole_suite_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../console/progress_line_test.cpp
        ${CONSOLE_DIR}/progress_line.cpp
        ${PROJECT_SOURCE_DIR}/tools/ovuninstall/session/report_phases.cpp)
    # The command-line tests hold `ovuninstall --version` to the release's version.
    target_include_directories(scenario_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools
                                                      ${UNINSTLIB_GENERATED_DIR})
    target_sources(wine_scenario_tests PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/wine_scenario_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/wine_interruption_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/wine_machine.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/wine_program_manager.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/progman_state_file_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../wine/progman_state_file.cpp)
    target_sources(interruption_sweep PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/interruption_sweep_test.cpp)
    add_test(NAME scenario_tests COMMAND scenario_tests)
    # Every removal of the sample machines cut short at each of its reports and run again.
    add_test(NAME interruption_sweep COMMAND interruption_sweep)
    # Its thousand short runs copy and rewrite machine images: in memory when the host has it.
    if(IS_DIRECTORY /dev/shm)
        set_tests_properties(interruption_sweep PROPERTIES ENVIRONMENT TMPDIR=/dev/shm)
    endif()
else()
    # The native build of the runner, made by the native preset before this one.
    set(WINE_SCENARIO_RUNNER ${PROJECT_SOURCE_DIR}/build/native/bin/wine_scenario_tests)
    add_test(NAME wine_scenario_tests
             COMMAND ${CMAKE_COMMAND} -E env WINE_SCENARIO_BIN=${CMAKE_BINARY_DIR}/bin
                     ${WINE_SCENARIO_RUNNER} --gtest_filter=-InterruptedWineRemoval.*)
    # A whole removal killed while it waits for a service, then run again.
    add_test(NAME wine_interrupted_removal
             COMMAND ${CMAKE_COMMAND} -E env WINE_SCENARIO_BIN=${CMAKE_BINARY_DIR}/bin
                     ${WINE_SCENARIO_RUNNER} --gtest_filter=InterruptedWineRemoval.*)
endif()
