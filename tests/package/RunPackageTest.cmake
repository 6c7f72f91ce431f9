# The newcomer's path: installs the runtime and development components only (no sample provider)
# into a fresh prefix, builds README.md's provider out of tree against it with find_package (see
# CMakeLists.txt here), checks the pkg-config file, and loads the provider into the installed shell:
# by its path (the transcript SCRIPT, run in the provider's build folder), then by name from the
# folder that --module-dir or KXPARAM_MODULE_PATH adds. No run may ask for the sample provider.
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED= -DPROVIDER=<the provider's file name>
#   -DHOST=<the host library's file name>, and those of PackageSteps.cmake
# The policies of the project's CMake: the old ones read "@NAME@" as a variable.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackageSteps.cmake)

install_runtime_and_development()
# Every later command runs in the provider's build folder, where the transcript loads it by path.
set(RUN_DIRECTORY ${PREFIX}/provider-build)
file(MAKE_DIRECTORY ${RUN_DIRECTORY})
file(GLOB_RECURSE sample ${PREFIX}/*KxBracketPlate*)
if(sample)
    message(FATAL_ERROR "the sample provider was installed with the runtime: ${sample}")
endif()
# The transcript loads the installed host library, which is no module, by its path from there.
file(GLOB HOST_PATH RELATIVE ${PREFIX} ${PREFIX}/*/${HOST})
list(LENGTH HOST_PATH count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "not one ${HOST} was installed: ${HOST_PATH}")
endif()
set(HOST_PATH ../${HOST_PATH})
set(PLACEHOLDERS LIBRARY PROVIDER HOST_PATH HOST)

configure_against_prefix(${SOURCE_DIR}/tests/package ${PREFIX}/provider-build
                         -DKX_SAMPLE_DIR=${SOURCE_DIR}/modules/bracket-plate)
run(${CMAKE_COMMAND} --build ${PREFIX}/provider-build)

set(ENV{PKG_CONFIG_PATH} ${PREFIX}/lib/pkgconfig)
run(pkg-config --cflags --libs KxParameterManager)
if(NOT output MATCHES "-I${PREFIX}/lib/pkgconfig/../../include/kxparam" OR
   NOT output MATCHES "-lKxParameterManager")
    message(FATAL_ERROR "pkg-config gives: ${output}")
endif()

run_transcript("with the provider built out of tree")

file(WRITE ${PREFIX}/by-name.kxs "load ${PROVIDER}\n")
function(loads_by_name way)
    if(NOT output MATCHES "\nloaded ${PROVIDER}\n" OR output MATCHES "error|KxBracketPlate")
        message(FATAL_ERROR "the installed shell, given the provider's folder ${way}, printed:\n"
                            "${output}")
    endif()
endfunction()
run(${installed_shell} --module-dir . --script ${PREFIX}/by-name.kxs)
loads_by_name("with --module-dir")
run(${CMAKE_COMMAND} -E env KXPARAM_MODULE_PATH=${PREFIX}/provider-build ${installed_shell}
    --script ${PREFIX}/by-name.kxs)
loads_by_name("in KXPARAM_MODULE_PATH")
