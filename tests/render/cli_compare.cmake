# Runs kavelo-render (RENDER) with ARGS in the golden text form into OUT and
# compares OUT with GOLDEN.
execute_process(COMMAND "${RENDER}" ${ARGS} --format txt -o "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "kavelo-render ${ARGS} failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}" "${GOLDEN}" RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "kavelo-render ${ARGS} differs from ${GOLDEN}")
endif()
