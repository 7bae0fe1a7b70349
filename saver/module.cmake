# quorlin.scr: every saver source that is not portable, the portable core, the resources.
file(GLOB_RECURSE QUORLIN_MODULE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
list(REMOVE_ITEM QUORLIN_MODULE_SOURCES ${QUORLIN_SAVER_PORTABLE})

# Everything but the entry also goes into a library, so the Windows tests can link it.
set(QUORLIN_ENTRY ${CMAKE_CURRENT_SOURCE_DIR}/shell/Entry.cpp)
list(REMOVE_ITEM QUORLIN_MODULE_SOURCES ${QUORLIN_ENTRY})
add_library(quorlin_saver STATIC ${QUORLIN_MODULE_SOURCES})
target_link_libraries(quorlin_saver PUBLIC quorlin_saver_core quorlin_jpeg ole32 oleaut32 uuid urlmon
  comctl32 comdlg32 shell32 gdi32 user32 advapi32)
quorlin_warnings(quorlin_saver)

add_executable(quorlin WIN32 ${QUORLIN_ENTRY} ${CMAKE_CURRENT_SOURCE_DIR}/resources/quorlin.rc)
target_link_libraries(quorlin PRIVATE quorlin_saver)
set_target_properties(quorlin PROPERTIES SUFFIX ".scr" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
quorlin_warnings(quorlin)
