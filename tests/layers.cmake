# The layering: the kernel links with nothing above it, and no file includes a header
# of a part above its own.
add_executable(core_only ${CMAKE_CURRENT_SOURCE_DIR}/layers/CoreOnly.cpp)
# Every object of the kernel is taken in, not only those the program calls.
target_link_libraries(core_only PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,kestrilon_core>" kestrilon_platform)
add_test(NAME Layers.CoreLinksAlone COMMAND core_only)
add_test(NAME Layers.IncludesGoDownOnly
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/layers/CheckIncludes.cmake)
