# clipscript: cmdscript with the system clipboard (Qt); two processes copy and paste
# through one X display under xvfb-run.
if(KESTRILON_GUI)
  add_executable(clipscript ${CMAKE_CURRENT_SOURCE_DIR}/clipscript.cpp)
  target_link_libraries(clipscript PRIVATE kestrilon_testsupport kestrilon_qt)
  find_program(XVFB_RUN xvfb-run)
  if(XVFB_RUN)
    add_test(NAME clipboard_two_programs
      COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24"
        bash ${CMAKE_CURRENT_SOURCE_DIR}/data/clip/two_programs.sh $<TARGET_FILE:clipscript>
        ${CMAKE_CURRENT_SOURCE_DIR}/data/clip ${CMAKE_CURRENT_SOURCE_DIR}/data/cmdscript/prog
        ${CMAKE_CURRENT_BINARY_DIR}/clipboard_two_programs)
    set_tests_properties(clipboard_two_programs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb")
  endif()
endif()
