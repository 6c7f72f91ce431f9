# The newcomer's path: installs the runtime and development components only (no sample provider)
# into a fresh prefix, builds README.md's provider out of tree against it with find_package (see
# CMakeLists.txt here), checks the pkg-config file, and loads the provider into the installed shell:
# by its path (the transcript SCRIPT, run in the provider's build folder), then by name from the
# folder that --module-dir or KXPARAM_MODULE_PATH adds. No run may ask for the sample provider.
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED=
# run([EXIT status] command...): the command must end with that status (0 when not given). Both
# of its streams go to one file, so that they interleave as it wrote them.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 run "" EXIT "")
    if(NOT DEFINED run_EXIT)
        set(run_EXIT 0)
    endif()
    execute_process(COMMAND ${run_UNPARSED_ARGUMENTS} RESULT_VARIABLE result
                    OUTPUT_FILE ${PREFIX}.output ERROR_FILE ${PREFIX}.output
                    WORKING_DIRECTORY ${PREFIX}/provider-build)
    file(READ ${PREFIX}.output output)
    if(NOT result STREQUAL run_EXIT)
        message(FATAL_ERROR "${run_UNPARSED_ARGUMENTS} ended with ${result}, not ${run_EXIT}:\n"
                            "${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
file(MAKE_DIRECTORY ${PREFIX}/provider-build)
foreach(component runtime development)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
endforeach()
file(GLOB_RECURSE sample ${PREFIX}/*KxBracketPlate*)
if(sample)
    message(FATAL_ERROR "the sample provider was installed with the runtime: ${sample}")
endif()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package -B ${PREFIX}/provider-build -G Ninja
    -DCMAKE_PREFIX_PATH=${PREFIX} -DKX_SAMPLE_DIR=${SOURCE_DIR}/modules/bracket-plate)
run(${CMAKE_COMMAND} --build ${PREFIX}/provider-build)

set(ENV{PKG_CONFIG_PATH} ${PREFIX}/lib/pkgconfig)
run(pkg-config --cflags --libs KxParameterManager)
if(NOT output MATCHES "-I${PREFIX}/lib/pkgconfig/../../include/kxparam" OR
   NOT output MATCHES "-lKxParameterManager")
    message(FATAL_ERROR "pkg-config gives: ${output}")
endif()

run(EXIT 1 ${PREFIX}/bin/kxparam --script ${SCRIPT}) # it shows refusals
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "the installed shell with the provider built out of tree printed:\n${output}")
endif()

file(WRITE ${PREFIX}/by-name.kxs "load libMyProvider.so\n")
function(loads_by_name way)
    if(NOT output MATCHES "\nloaded libMyProvider.so\n" OR output MATCHES "error|KxBracketPlate")
        message(FATAL_ERROR "the installed shell, given the provider's folder ${way}, printed:\n"
                            "${output}")
    endif()
endfunction()
run(${PREFIX}/bin/kxparam --module-dir . --script ${PREFIX}/by-name.kxs)
loads_by_name("with --module-dir")
run(${CMAKE_COMMAND} -E env KXPARAM_MODULE_PATH=${PREFIX}/provider-build ${PREFIX}/bin/kxparam
    --script ${PREFIX}/by-name.kxs)
loads_by_name("in KXPARAM_MODULE_PATH")
