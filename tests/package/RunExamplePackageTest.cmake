# The example provider as its author builds it: installs the runtime and development components
# into a fresh prefix and checks that they leave the test kit out, installs the component
# "testkit", builds examples/shelf-provider out of tree against the installation, runs its test,
# and loads it into the installed shell (the transcript SCRIPT against EXPECTED).
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED=
include(${CMAKE_CURRENT_LIST_DIR}/PackageSteps.cmake)

install_runtime_and_development()
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
