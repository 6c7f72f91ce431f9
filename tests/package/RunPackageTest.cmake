# Installs the library, the shell and the palette (not the sample provider) into a fresh prefix,
# builds the sample provider out of tree against that installation with find_package, checks the
# pkg-config file, and runs the installed shell with the module built out of tree.
#   -DBUILD_DIR= -DPREFIX= -DSOURCE_DIR= -DSCRIPT= -DEXPECTED=
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
foreach(component runtime development)
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component ${component})
endforeach()
if(EXISTS ${PREFIX}/lib/kxparam/KxBracketPlate.dlx)
    message(FATAL_ERROR "the sample provider was installed with the runtime")
endif()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package -B ${PREFIX}/provider-build -G Ninja
    -DCMAKE_PREFIX_PATH=${PREFIX} -DKX_SAMPLE_DIR=${SOURCE_DIR}/modules/bracket-plate
    -DKX_MODULE_DIR=${PREFIX}/lib/kxparam)
run(${CMAKE_COMMAND} --build ${PREFIX}/provider-build)

set(ENV{PKG_CONFIG_PATH} ${PREFIX}/lib/pkgconfig)
run(pkg-config --cflags --libs KxParameterManager)
if(NOT output MATCHES "-I${PREFIX}/lib/pkgconfig/../../include/kxparam" OR
   NOT output MATCHES "-lKxParameterManager")
    message(FATAL_ERROR "pkg-config gives: ${output}")
endif()

run(${PREFIX}/bin/kxparam --script ${SCRIPT})
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "the installed shell with the provider built out of tree printed:\n${output}")
endif()
