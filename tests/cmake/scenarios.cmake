# Scenario tests: the uninstall program run end to end on machine images.
if(NOT UNINSTLIB_PLATFORM_WINDOWS)
    find_package(nlohmann_json 3 REQUIRED)
    add_executable(scenario_tests
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/scenario.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/machine_snapshot.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/program_run.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../scenario/ovuninstall_cli_test.cpp)
    target_include_directories(scenario_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
    target_link_libraries(scenario_tests PRIVATE winsim nlohmann_json::nlohmann_json ${TEST_LIBRARIES})
    target_compile_definitions(scenario_tests PRIVATE
        OVUNINSTALL_PROGRAM="$<TARGET_FILE:ovuninstall>"
        SCENARIOS_FOLDER="${CMAKE_CURRENT_LIST_DIR}/../scenarios")
    add_dependencies(scenario_tests ovuninstall uninstlib ovrt)
    add_test(NAME scenario_tests COMMAND scenario_tests)
endif()
