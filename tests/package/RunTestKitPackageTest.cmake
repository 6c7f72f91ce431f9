# Installs the runtime and the development components into a fresh prefix and checks that they
# leave the test kit out (a provider asking for it then finds none), installs the component
# "testkit", and builds and runs out of tree a provider's test that finds it with
# find_package(KxParameterManager COMPONENTS TestKit).
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR=
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

set(configure ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package/testkit -B ${PREFIX}/test-build
    -G Ninja -DCMAKE_PREFIX_PATH=${PREFIX})

file(REMOVE_RECURSE ${PREFIX})
foreach(component runtime development)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
endforeach()
file(GLOB testkit ${PREFIX}/include/kxparam/testkit ${PREFIX}/lib/libkxtestkit*
     ${PREFIX}/lib/cmake/KxParameterManager/*TestKit*)
if(testkit)
    message(FATAL_ERROR "the development component installed the test kit: ${testkit}")
endif()
execute_process(COMMAND ${configure} RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(result EQUAL 0)
    message(FATAL_ERROR "find_package found the component TestKit, which is not installed")
endif()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component testkit)
file(REMOVE_RECURSE ${PREFIX}/test-build)
run(${configure})
run(${CMAKE_COMMAND} --build ${PREFIX}/test-build)
run(${PREFIX}/test-build/providertest)
if(NOT output MATCHES "(^|\n)ok\n")
    message(FATAL_ERROR "the provider's test built out of tree printed:\n${output}")
endif()
