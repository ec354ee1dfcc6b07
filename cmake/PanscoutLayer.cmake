# A layer of the program: a static library whose headers the code above it
# includes as "<dir>/<name>.h". A layer's include path holds its own headers
# and, through its links, those of the layers below it, and nothing else: an
# include that points up a layer does not build.
#
#   panscout_layer(<target> <dir under src> SOURCES ... [PUBLIC ...] [PRIVATE ...])
function(panscout_layer target dir)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(sources)
  foreach(source ${ARG_SOURCES})
    if(NOT IS_ABSOLUTE ${source})
      set(source ${PROJECT_SOURCE_DIR}/src/${dir}/${source})
    endif()
    list(APPEND sources ${source})
  endforeach()
  add_library(${target} STATIC ${sources})
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${dir})
  # Each header of the directory alone, so that a layer inside another's
  # directory (the window inside app/) stays apart from it.
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${dir}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
endfunction()
