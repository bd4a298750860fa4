cmake_minimum_required(VERSION 3.25)
# Configures, builds and runs tests/consumer against this source tree.
# Run as: cmake -DSOURCE=<repository> -DBINARY=<scratch> -P consumer_build.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE}/tests/consumer" -B "${BINARY}" -G Ninja
                        -DHEATCALC_SOURCE=${SOURCE} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the consumer project failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${BINARY}" --target consumer -j 8 RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building the consumer project failed")
endif()
execute_process(COMMAND "${BINARY}/consumer" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the consumer program found wrong texts")
endif()
