# The steps the package tests share. Besides its own settings, each test is given
#   -DKXPARAM=<the shell's file name> -DLIBRARY=<the library's file name>
# and, when cross-compiling, -DEMULATOR=<what runs the target's programs>
#   -DTOOLCHAIN=<the build's toolchain file>
include(${CMAKE_CURRENT_LIST_DIR}/../shell/Placeholders.cmake)
set(installed_shell ${EMULATOR} ${PREFIX}/bin/${KXPARAM})

# run([EXIT status] command...): the command, run in RUN_DIRECTORY when it is set, must end with
# that status (0 when not given). Both of its streams go to one file, so that they interleave as
# it wrote them; `output` holds them afterwards.
function(run)
    cmake_parse_arguments(PARSE_ARGV 0 run "" EXIT "")
    if(NOT DEFINED run_EXIT)
        set(run_EXIT 0)
    endif()
    set(directory)
    if(DEFINED RUN_DIRECTORY)
        set(directory WORKING_DIRECTORY ${RUN_DIRECTORY})
    endif()
    execute_process(COMMAND ${run_UNPARSED_ARGUMENTS} RESULT_VARIABLE result
                    OUTPUT_FILE ${PREFIX}.output ERROR_FILE ${PREFIX}.output ${directory})
    file(READ ${PREFIX}.output output)
    if(NOT result STREQUAL run_EXIT)
        message(FATAL_ERROR "${run_UNPARSED_ARGUMENTS} ended with ${result}, not ${run_EXIT}:\n"
                            "${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

# A fresh PREFIX with the runtime and the development components of BUILD_DIR installed.
function(install_runtime_and_development)
    file(REMOVE_RECURSE ${PREFIX})
    file(MAKE_DIRECTORY ${PREFIX})
    foreach(component runtime development)
        run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
    endforeach()
endfunction()

# Configures the project in SOURCE out of tree in BINARY against PREFIX, with the toolchain of the
# installed build. A cross build looks for packages in the target's root and in its staging prefix
# only: PREFIX, where the installation is staged, is that prefix.
function(configure_against_prefix source binary)
    set(cross)
    if(TOOLCHAIN)
        set(cross -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_STAGING_PREFIX=${PREFIX})
    endif()
    run(${CMAKE_COMMAND} -S ${source} -B ${binary} -G Ninja -DCMAKE_PREFIX_PATH=${PREFIX} ${cross}
        ${ARGN})
endfunction()

# The installed shell runs SCRIPT with the given arguments, and must end with 1 (the scripts show
# refusals) and print EXPECTED. Both say @NAME@ for each of PLACEHOLDERS (Placeholders.cmake).
function(run_transcript what)
    file(READ ${SCRIPT} commands)
    kx_placeholders(FILL commands ${PLACEHOLDERS})
    file(WRITE ${PREFIX}/transcript.kxs "${commands}")
    run(EXIT 1 ${installed_shell} ${ARGN} --script ${PREFIX}/transcript.kxs)
    kx_placeholders(MARK output ${PLACEHOLDERS})
    file(READ ${EXPECTED} expected)
    if(NOT output STREQUAL expected)
        message(FATAL_ERROR "the installed shell ${what} printed:\n${output}")
    endif()
endfunction()
