# Runs one test of the sanitizer build. LeakSanitizer's own stop-the-world tracer now and
# then crashes at exit ("Tracer caught signal 11") after every test function has passed;
# that alone, and only once, is run again. Any sanitizer report, failed or missing test
# totals, or a second crash stays a failure.
#   cmake -DTEST=<executable> -P lsan-retry.cmake
function(run_test output_var result_var)
    execute_process(COMMAND "${TEST}" RESULT_VARIABLE result OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    message(NOTICE "${out}${err}")
    set(${output_var} "${out}${err}" PARENT_SCOPE)
    set(${result_var} "${result}" PARENT_SCOPE)
endfunction()

run_test(output result)
if(NOT result EQUAL 0
   AND output MATCHES "Tracer caught signal 11"
   AND output MATCHES "LeakSanitizer has encountered a fatal error"
   AND output MATCHES "Totals: [0-9]+ passed, 0 failed"
   AND NOT output MATCHES "ERROR: [A-Za-z]+Sanitizer"
   AND NOT output MATCHES "SUMMARY: [A-Za-z]+Sanitizer")
    message(NOTICE "LeakSanitizer's tracer crashed after the test passed: running it once more")
    run_test(output result)
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TEST} ended with ${result}")
endif()
