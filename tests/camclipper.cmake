# The machining tests compare offsets with Clipper's (libpolyclipping-dev).
find_library(POLYCLIPPING_LIB polyclipping REQUIRED)
if(TARGET test_cam)
  target_link_libraries(test_cam PRIVATE ${POLYCLIPPING_LIB})
endif()
