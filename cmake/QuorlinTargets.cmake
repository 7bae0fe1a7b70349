# Helpers that keep the per-folder CMake files short: a folder is a library, its
# sources are the .cpp files in it, and tests are one executable per area.

set(QUORLIN_ROOT ${CMAKE_SOURCE_DIR})

function(quorlin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# quorlin_folder_library(NAME DIR [DEPS ...])
# Every .cpp directly in DIR; an INTERFACE library while the folder has none yet.
function(quorlin_folder_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${ex}$")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${QUORLIN_ROOT})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    quorlin_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${QUORLIN_ROOT})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
