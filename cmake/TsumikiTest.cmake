# tsumiki_add_test(NAME SOURCES ... LIBS ...)
# One GoogleTest executable per test folder; each test case is registered with CTest.
function(tsumiki_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TSUMIKI_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TSUMIKI_TEST_TMP="${PROJECT_BINARY_DIR}/test-tmp")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
