# Tests that need processes of their own: two programs saving into one folder, a reader
# under a memory limit, a save under a file-size limit or killed half-way, and failed
# allocations (this program replaces the allocation functions, so it stands alone).
file(GLOB process_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/processes/*.cpp)
add_executable(test_processes ${process_sources})
target_link_libraries(test_processes PRIVATE kestrilon_testsupport GTest::gtest_main)
target_compile_definitions(test_processes PRIVATE CMDSCRIPT_PATH="$<TARGET_FILE:cmdscript>")
add_dependencies(test_processes cmdscript)
gtest_discover_tests(test_processes DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
