# User plug-in libraries built as a user would build them, loaded by the shell tests
# from a temporary program folder.
add_library(kestrilon_usertest SHARED ${CMAKE_CURRENT_SOURCE_DIR}/plugin/UserPlugin.cpp)
target_include_directories(kestrilon_usertest PRIVATE ${CMAKE_SOURCE_DIR})
add_library(kestrilon_usernone SHARED ${CMAKE_CURRENT_SOURCE_DIR}/plugin/UserPlugin.cpp)
target_include_directories(kestrilon_usernone PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(kestrilon_usernone PRIVATE PLUGIN_WITHOUT_ENTRIES)
if(TARGET test_shell)
  add_dependencies(test_shell kestrilon_usertest kestrilon_usernone)
  target_compile_definitions(test_shell PRIVATE
    KESTRILON_USER_PLUGIN="$<TARGET_FILE:kestrilon_usertest>"
    KESTRILON_USER_PLUGIN_NONE="$<TARGET_FILE:kestrilon_usernone>")
endif()
