# tassella_add_test(<name> <sources...>): one QTest executable of a window, linking the windows
# library, registered with CTest and run headless on Qt's offscreen platform.
# tassella_add_core_test(<name> <sources...>): the same for a test of logic, which links the logic
# library alone, so that a widget creeping into the logic fails to link.
function(tassella_register_test name)
    target_link_libraries(${name} PRIVATE Qt6::Test tassella_test_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    target_compile_definitions(${name} PRIVATE TASSELLA_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
                                               TASSELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    # A screen of 1366 × 768, the smallest the forms fit at their own size (Qt's offscreen screen is
    # 800 × 800 by default, where every work window would be drawn smaller).
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/fixtures/screens/1366x768.json" TIMEOUT 300)
endfunction()

function(tassella_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE tassella_gui)
    tassella_register_test(${name})
endfunction()

function(tassella_add_core_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE tassella_core)
    tassella_register_test(${name})
endfunction()
