# The snapshot reads the real screen: nothing else may draw on it meanwhile.
if(TARGET wintest_snapshot)
  set_tests_properties(win.snapshot PROPERTIES RUN_SERIAL TRUE)
  add_test(NAME win.snapshot.8bit COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-8bit.sh $<TARGET_FILE:wintest_snapshot>)
  set_tests_properties(win.snapshot.8bit PROPERTIES TIMEOUT 300)
endif()
