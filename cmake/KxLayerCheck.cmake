# Writes down, for the layering check, what each layer may include (derived from the links that
# kx_layer declares) and which files it holds, and checks every build against it.
kx_layers(layers)
set(data "# Written by cmake/KxLayerCheck.cmake at configure time; read by cmake/CheckLayers.cmake.\n")
string(APPEND data "set(KX_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")\n"
                   "set(KX_GENERATED_DIR \"${KX_GENERATED_DIR}\")\nset(KX_LAYERS ${layers})\n")
set(checked)
foreach(layer IN LISTS layers)
    kx_layer_reach(${layer} reach uses)
    get_target_property(folder ${layer} KX_LAYER_FOLDER)
    kx_layer_files(${layer} public private)
    string(APPEND data "set(KX_LAYER_${layer}_FOLDER ${folder})\n"
                       "set(KX_LAYER_${layer}_REACH ${reach})\n"
                       "set(KX_LAYER_${layer}_USES ${uses})\n"
                       "set(KX_LAYER_${layer}_PUBLIC ${public})\n"
                       "set(KX_LAYER_${layer}_PRIVATE ${private})\n")
    list(APPEND checked ${public} ${private})
endforeach()
# Outside the library, no file may reach into a folder's internal/ or the host's testing/ (the
# tests and fuzzers may).
file(GLOB_RECURSE others LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/*.h ${PROJECT_SOURCE_DIR}/*.cpp)
list(FILTER others EXCLUDE REGEX "^(build|tests|fuzz|\\.)")
list(TRANSFORM others PREPEND ${PROJECT_SOURCE_DIR}/)
list(REMOVE_ITEM others ${checked})
string(APPEND data "set(KX_OTHER_FILES ${others})\n")
set(KX_LAYER_DATA ${CMAKE_BINARY_DIR}/KxLayers.cmake)
file(WRITE ${KX_LAYER_DATA} "${data}")

set(KX_LAYER_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/layering.stamp
                   COMMAND ${CMAKE_COMMAND} -DLAYERS=${KX_LAYER_DATA} -P ${KX_LAYER_SCRIPT}
                   COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/layering.stamp
                   DEPENDS ${KX_LAYER_SCRIPT} ${KX_LAYER_DATA} ${checked} ${others}
                   COMMENT "Checking that every include stays within its layer" VERBATIM)
add_custom_target(layering ALL DEPENDS ${CMAKE_BINARY_DIR}/layering.stamp)
# And every public header compiles on its own, as a consumer of the installed copy includes it.
add_dependencies(layering all_verify_interface_header_sets)
