# tassella_add_test(<name> <sources...>): one QTest executable registered with CTest,
# run headless on Qt's offscreen platform.
function(tassella_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE tassella_gui Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    target_compile_definitions(${name} PRIVATE TASSELLA_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
