# Checks that the committed samples are exactly what make_samples writes today.
#   cmake -DMAKE_SAMPLES=... -DEXAMPLES=... -DOUT=... -P check_samples.cmake
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${MAKE_SAMPLES} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_samples failed: ${status}")
endif()
foreach(sample sample.jpg dates_disagree.jpg)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXAMPLES}/${sample} ${OUT}/${sample}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "examples/${sample} is not what make_samples writes; regenerate it")
  endif()
endforeach()
