# The example provider as its author builds it: installs the runtime and development components
# into a fresh prefix and checks that they leave the test kit out, installs the component
# "testkit", builds examples/shelf-provider out of tree against the installation, runs its test,
# and loads it into the installed shell (the transcript SCRIPT against EXPECTED).
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED=
# run([EXIT status] command...): the command must end with that status (0 when not given). Both
# of its streams go to one file, so that they interleave as it wrote them.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 run "" EXIT "")
    if(NOT DEFINED run_EXIT)
        set(run_EXIT 0)
    endif()
    execute_process(COMMAND ${run_UNPARSED_ARGUMENTS} RESULT_VARIABLE result
                    OUTPUT_FILE ${PREFIX}.output ERROR_FILE ${PREFIX}.output)
    file(READ ${PREFIX}.output output)
    if(NOT result STREQUAL run_EXIT)
        message(FATAL_ERROR "${run_UNPARSED_ARGUMENTS} ended with ${result}, not ${run_EXIT}:\n"
                            "${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
foreach(component runtime development)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
endforeach()
file(GLOB testkit ${PREFIX}/include/kxparam/testkit ${PREFIX}/lib/libkxtestkit*
     ${PREFIX}/lib/cmake/KxParameterManager/*TestKit*)
if(testkit)
    message(FATAL_ERROR "the development component installed the test kit: ${testkit}")
endif()
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component testkit)

set(example ${PREFIX}/shelf-build)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/shelf-provider -B ${example} -G Ninja
    -DCMAKE_PREFIX_PATH=${PREFIX})
run(${CMAKE_COMMAND} --build ${example})
run(${CMAKE_CTEST_COMMAND} --test-dir ${example} --output-on-failure)
if(NOT output MATCHES "100% tests passed, 0 tests failed out of 1")
    message(FATAL_ERROR "the example's test:\n${output}")
endif()

run(EXIT 1 ${PREFIX}/bin/kxparam --module-dir ${example} --script ${SCRIPT}) # it shows refusals
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "the installed shell with the example provider printed:\n${output}")
endif()
