# cmake -DPROGRAM=<bench_journal> -P CommandLineTest.cmake
# A count that is not a positive whole number must be refused with the usage
# line and status 2 (a count of 0 once sorted an empty list of timings and
# crashed); --help shows the usage and succeeds.
function(expect status output)
  execute_process(COMMAND "${PROGRAM}" ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result STREQUAL status OR NOT "${out}${err}" MATCHES "${output}")
    message(FATAL_ERROR "bench_journal ${ARGN}: status ${result}, expected ${status}; output:\n${out}${err}")
  endif()
endfunction()

expect(0 "usage: bench_journal \\[count\\]" --help)
foreach(count 0 -5 abc 12x)
  expect(2 "usage: bench_journal .*count must be a positive whole number" ${count})
endforeach()
expect(2 "usage: bench_journal" 10 20)
