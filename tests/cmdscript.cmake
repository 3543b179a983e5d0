# cmdscript: types a script into the command line of the headless program and dumps the
# drawing (tests/README.md). Built with the tests, not installed.
add_executable(cmdscript ${CMAKE_CURRENT_SOURCE_DIR}/cmdscript.cpp)
target_link_libraries(cmdscript PRIVATE kestrilon_testsupport)

# Runs each script of tests/data/cmdscript on a fresh copy of its program folder and
# compares standard output with the script's ".expected" file.
foreach(script line_arc_dist pointer_snap_ortho file_commands)
  add_test(NAME cmdscript_${script}
    COMMAND ${CMAKE_COMMAND}
      -DCMDSCRIPT=$<TARGET_FILE:cmdscript>
      -DSCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/data/cmdscript/${script}.txt
      -DEXPECTED=${CMAKE_CURRENT_SOURCE_DIR}/data/cmdscript/${script}.expected
      -DPROGDIR=${CMAKE_CURRENT_SOURCE_DIR}/data/cmdscript/prog
      -DWORKDIR=${CMAKE_CURRENT_BINARY_DIR}/cmdscript_${script}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/data/cmdscript/run.cmake)
endforeach()
