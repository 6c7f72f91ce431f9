# The example provider as its author builds it: installs the runtime and development components
# into a fresh prefix and checks that they leave the test kit out, installs the component
# "testkit", builds examples/shelf-provider out of tree against the installation, runs its test,
# and loads it into the installed shell (the transcript SCRIPT against EXPECTED).
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED=, and those of PackageSteps.cmake
# The policies of the project's CMake: the old ones read "@NAME@" as a variable.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackageSteps.cmake)

install_runtime_and_development()
file(GLOB testkit ${PREFIX}/include/kxparam/testkit ${PREFIX}/lib/libkxtestkit*
     ${PREFIX}/bin/*kxtestkit* ${PREFIX}/lib/cmake/KxParameterManager/*TestKit*)
if(testkit)
    message(FATAL_ERROR "the development component installed the test kit: ${testkit}")
endif()
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component testkit)

set(example ${PREFIX}/shelf-build)
configure_against_prefix(${SOURCE_DIR}/examples/shelf-provider ${example})
run(${CMAKE_COMMAND} --build ${example})
run(${CMAKE_CTEST_COMMAND} --test-dir ${example} --output-on-failure)
if(NOT output MATCHES "100% tests passed, 0 tests failed out of 1")
    message(FATAL_ERROR "the example's test:\n${output}")
endif()

set(PLACEHOLDERS LIBRARY)
run_transcript("with the example provider" --module-dir ${example})
