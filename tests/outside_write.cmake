# Fails unless the compiler refuses a write of the roster outside the change path
# (outside_write.cpp): the file must compile as it stands and must not once it
# writes, for the writer's access and for no other reason.
#   cmake -DCXX=<compiler> -DSOURCE_ROOT=<repository> -P outside_write.cmake
set(compile ${CXX} -std=c++20 -fsyntax-only -I${SOURCE_ROOT}/src
            ${SOURCE_ROOT}/tests/outside_write.cpp)
execute_process(COMMAND ${compile} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the probe does not compile as it stands:\n${errors}")
endif()
execute_process(COMMAND ${compile} -DWRITE_OUTSIDE RESULT_VARIABLE status ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "a write outside the change path compiles")
endif()
if(NOT errors MATCHES "private|inaccessible")
  message(FATAL_ERROR "the write is refused for another reason:\n${errors}")
endif()
