# The library's layers as targets. Each folder of the library is an object library that declares
# its public headers (a file set, installed and checked alone), its internal headers (a private
# file set, never installed) and the layers below it that it uses. The shared library is made of
# their objects; the layering check reads the links declared here, so they are the one place where
# the allowed edges are written.

include(GenerateExportHeader)
# Headers that the build writes (the export macros), by the same paths as the sources' headers.
set(KX_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)

# kx_layer(TARGET SOURCES file... [HEADERS file...] [INTERNAL file...] [GENERATED file...]
#          [USES layer...])
function(kx_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;HEADERS;INTERNAL;GENERATED;USES")
    add_library(${target} OBJECT ${arg_SOURCES})
    # Its objects make the shared library, whose export macro exports when this is defined.
    target_compile_definitions(${target} PRIVATE KxParameterManager_EXPORTS)
    kx_declare_layer(${target} HEADERS ${arg_HEADERS} INTERNAL ${arg_INTERNAL}
                     GENERATED ${arg_GENERATED} USES ${arg_USES})
endfunction()

# The same for a target made otherwise (the host, a shared library of its own).
function(kx_declare_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HEADERS;INTERNAL;GENERATED;USES")
    # A layer of headers alone (an interface library) offers them through its interface only.
    get_target_property(type ${target} TYPE)
    set(public PUBLIC)
    if(type STREQUAL "INTERFACE_LIBRARY")
        set(public INTERFACE)
    endif()
    target_sources(${target} ${public} FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR}
                                       FILES ${arg_HEADERS})
    # Written by the build, they are public headers of a file set of their own (a file set's base
    # directories may not hold one another, and the build tree may be inside the sources).
    if(arg_GENERATED)
        list(TRANSFORM arg_GENERATED PREPEND ${KX_GENERATED_DIR}/)
        target_sources(${target} ${public} FILE_SET generated TYPE HEADERS
                                           BASE_DIRS ${KX_GENERATED_DIR} FILES ${arg_GENERATED})
    endif()
    if(arg_INTERNAL)
        target_sources(${target} PRIVATE FILE_SET internal TYPE HEADERS
                                         BASE_DIRS ${PROJECT_SOURCE_DIR} FILES ${arg_INTERNAL})
    endif()
    target_include_directories(${target} ${public} $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                                   $<BUILD_INTERFACE:${KX_GENERATED_DIR}>
                                                   $<INSTALL_INTERFACE:include/kxparam>)
    target_link_libraries(${target} ${public} ${arg_USES})
    target_compile_features(${target} ${public} cxx_std_20)
    # Every public header compiles on its own (the target all_verify_interface_header_sets).
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set_target_properties(${target} PROPERTIES VERIFY_INTERFACE_HEADER_SETS ON
                                               KX_LAYER_FOLDER ${folder})
    set_property(GLOBAL APPEND PROPERTY KX_LAYERS ${target})
endfunction()

# The layers, in the order they were declared.
function(kx_layers out)
    get_property(layers GLOBAL PROPERTY KX_LAYERS)
    set(${out} ${layers} PARENT_SCOPE)
endfunction()

# The folders a layer may include from (its own and those of every layer it uses, directly or
# through another), and those layers, itself first.
function(kx_layer_reach target out layersOut)
    set(reach)
    set(layers)
    set(pending ${target})
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST layers)
            continue()
        endif()
        list(APPEND layers ${current})
        get_target_property(folder ${current} KX_LAYER_FOLDER)
        if(NOT folder IN_LIST reach)
            list(APPEND reach ${folder})
        endif()
        get_target_property(uses ${current} LINK_LIBRARIES)
        foreach(used IN LISTS uses)
            if(TARGET ${used})
                get_target_property(usedFolder ${used} KX_LAYER_FOLDER)
                if(usedFolder)
                    list(APPEND pending ${used})
                endif()
            endif()
        endforeach()
    endwhile()
    set(${out} ${reach} PARENT_SCOPE)
    set(${layersOut} ${layers} PARENT_SCOPE)
endfunction()

# Every file of a layer with the file set it belongs to: public headers, internal headers, sources.
function(kx_layer_files target publicOut privateOut)
    get_target_property(public ${target} HEADER_SET)
    get_target_property(sets ${target} INTERFACE_HEADER_SETS)
    if("generated" IN_LIST sets)
        get_target_property(generated ${target} HEADER_SET_generated)
        list(APPEND public ${generated})
    endif()
    get_target_property(sources ${target} SOURCES)
    if(NOT sources)
        set(sources)
    endif()
    get_target_property(sourceDir ${target} SOURCE_DIR)
    set(private)
    get_target_property(sets ${target} HEADER_SETS)
    if("internal" IN_LIST sets)
        get_target_property(private ${target} HEADER_SET_internal)
    endif()
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "^\\$<" AND NOT source MATCHES "\\.h$")
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${sourceDir})
            list(APPEND private ${source})
        endif()
    endforeach()
    set(${publicOut} ${public} PARENT_SCOPE)
    set(${privateOut} ${private} PARENT_SCOPE)
endfunction()
