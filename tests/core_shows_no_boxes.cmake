# Fails when a folder of the core opens a message box: the core returns what the
# planner is to be told, and only the application layer and the front ends show it.
#   cmake -DSOURCE_ROOT=<repository> -P core_shows_no_boxes.cmake
set(problems 0)
foreach(folder conditions roster optimise creation check exact)
  file(GLOB_RECURSE sources ${SOURCE_ROOT}/src/${folder}/*)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "MessageBox")
    foreach(line ${lines})
      message("${source}: ${line}")
      math(EXPR problems "${problems} + 1")
    endforeach()
  endforeach()
endforeach()
if(problems GREATER 0)
  message(FATAL_ERROR "${problems} message box(es) in the core")
endif()
