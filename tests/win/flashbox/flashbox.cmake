# The flash box's tests. wintest_flashbox carries the recording control as its FLASH, so
# the box loads it the way the module loads the player; wintest_flashbox_player carries the
# real player and the clock movie, as quorlin.scr does.
if(NOT TARGET wintest_flashbox)
  return()
endif()
set(FLASHBOX_DIR ${CMAKE_CURRENT_SOURCE_DIR}/flashbox)

add_library(flashbox_recorder SHARED ${FLASHBOX_DIR}/recorder/Recorder.cpp ${FLASHBOX_DIR}/recorder/recorder.def)
target_include_directories(flashbox_recorder PRIVATE ${QUORLIN_ROOT})
target_link_libraries(flashbox_recorder PRIVATE ole32 oleaut32 uuid user32)
set_target_properties(flashbox_recorder PROPERTIES PREFIX "" OUTPUT_NAME recorder
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
quorlin_warnings(flashbox_recorder)

set(FLASHBOX_RECORDER_FILE ${CMAKE_CURRENT_BINARY_DIR}/recorder.dll)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/flashbox_resource.rc
  "#include <windows.h>\nFLASH RCDATA \"${FLASHBOX_RECORDER_FILE}\"\n")
target_sources(wintest_flashbox PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/flashbox_resource.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/flashbox_resource.rc PROPERTIES
  OBJECT_DEPENDS ${FLASHBOX_RECORDER_FILE})
add_dependencies(wintest_flashbox flashbox_recorder)

file(GLOB FLASHBOX_PLAYER_SOURCES CONFIGURE_DEPENDS ${FLASHBOX_DIR}/player/*.cpp)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/flashbox_player.rc
  "#include <windows.h>\nFLASH RCDATA \"${CMAKE_BINARY_DIR}/tsly-swf.ocx\"\nMOVIE RCDATA \"${QUORLIN_MOVIE_DIR}/clock.swf\"\n")
add_executable(wintest_flashbox_player ${FLASHBOX_PLAYER_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/flashbox_player.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/flashbox_player.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/tsly-swf.ocx;${QUORLIN_MOVIE_DIR}/clock.swf")
target_link_libraries(wintest_flashbox_player PRIVATE quorlin_saver quorlin_win_support quorlin_test_support gtest gtest_main)
add_dependencies(wintest_flashbox_player quorlin_player)
quorlin_warnings(wintest_flashbox_player)
add_test(NAME win.flashbox_player COMMAND wintest_flashbox_player)
# It reads the screen: nothing else may show a window meanwhile.
set_tests_properties(win.flashbox_player PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
