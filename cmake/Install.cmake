# What `cmake --install` puts where: the shell (and, with Qt 6, the desktop program) in bin, the
# libraries in lib, the modules in lib/kxparam, the headers in include/kxparam, and a CMake package and a pkg-config file, so that a
# provider module builds against an installed copy. The sample provider is a component of its
# own, so that a provider built out of tree can stand in its place.
include(CMakePackageConfigHelpers)
set(KX_PACKAGE_DIR lib/cmake/KxParameterManager)

install(TARGETS kxparam RUNTIME DESTINATION bin COMPONENT runtime)
install(TARGETS kxhost KxParameterManager EXPORT KxParameterManagerTargets
        LIBRARY DESTINATION lib COMPONENT runtime)
install(TARGETS KxParameterRes kxconsolepalette-module LIBRARY DESTINATION lib/kxparam
        COMPONENT runtime)
install(TARGETS kxbracketplate-module LIBRARY DESTINATION lib/kxparam COMPONENT bracket-plate)

# The desktop program and its palette, a component of their own. The palette's KxParameter.dlx
# keeps a module directory of its own, which the program searches first; the libraries are two
# levels up from it.
if(TARGET kxparam-gui)
    install(TARGETS kxparam-gui RUNTIME DESTINATION bin COMPONENT desktop)
    set_target_properties(kxdesktoppalette-module PROPERTIES INSTALL_RPATH "$ORIGIN/../..")
    install(TARGETS kxdesktoppalette-module LIBRARY DESTINATION lib/kxparam/desktop-palette
            COMPONENT desktop)
endif()

# The public headers, folder by folder: what a provider, a palette or a host program compiles
# against. The rest of a folder is the library's own and lies in its internal/ subfolder (the
# host's failure controls for the project's tests in host/testing/); neither is installed.
set(KX_PUBLIC_HEADERS_host
    CImageList.h KxApDocManager.h KxApDocument.h KxArray.h KxAssocErrorUtil.h
    KxCompiledExpression.h KxConstantExpression.h KxDbCurves.h KxDbDatabase.h KxDbEntity.h
    KxDbEvalVariant.h KxDbFullSubentPath.h KxDbObject.h KxDbObjectId.h KxEdCommands.h KxEdEditor.h
    KxEvalVariantText.h KxExport.h KxGiHighlightStyle.h KxHostStatus.h KxModuleLoader.h
    KxResBuf.h KxRxAbort.h KxRxDynamicLinker.h KxRxObject.h KxRxResourceInstance.h
    KxRxSysRegistry.h KxStatusName.h KxString.h KxSysVars.h KxUnits.h KxUtResource.h
    LumoErrorStatus.h MtHostTaskDialog.h MtTaskDialogPresenter.h MtTaskDialogSource.h WindowHandle.h)
set(KX_PUBLIC_HEADERS_model
    KxParameter.h KxParameterProperty.h KxParameterReactor.h KxParameterValueSet.h
    KxParameterValueSetList.h)
set(KX_PUBLIC_HEADERS_collections
    KxColumnHeaderProperty.h KxParameterCollection.h KxParameterCollectionReactor.h
    KxParameterFilter.h KxParameterGroupCollection.h KxParameterGroupFilter.h
    KxParameterPropertyEnabler.h)
# KxApDocLock.h: the undo bracket holds a lock by value, so the lock's layout is the bracket's.
set(KX_PUBLIC_HEADERS_manager
    KxApDocLock.h KxParameterManager.h KxParameterManagerReactor.h KxPmUndoBracket.h)
set(KX_PUBLIC_HEADERS_palette IKxApParameterManagerESWHost.h KxApParameterManagerESW.h KxPaletteBase.h)
set(KX_PUBLIC_HEADERS_util KxParameterUtil.h)
set(KX_PUBLIC_HEADERS_module KxModuleEntry.h)

foreach(folder host model collections manager palette util module)
    # A header at the top of a folder is public, listed above, or it belongs in internal/: a new
    # header takes one side deliberately.
    file(GLOB present RELATIVE ${PROJECT_SOURCE_DIR}/${folder} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    set(unlisted ${present})
    list(REMOVE_ITEM unlisted ${KX_PUBLIC_HEADERS_${folder}})
    if(unlisted)
        message(FATAL_ERROR "${folder}/: ${unlisted}: list it as public in cmake/Install.cmake "
                            "or move it to ${folder}/internal/")
    endif()
    set(missing ${KX_PUBLIC_HEADERS_${folder}})
    list(REMOVE_ITEM missing ${present})
    if(missing)
        message(FATAL_ERROR "${folder}/: ${missing}: listed as public but not there")
    endif()
    list(TRANSFORM KX_PUBLIC_HEADERS_${folder} PREPEND ${folder}/ OUTPUT_VARIABLE headers)
    install(FILES ${headers} DESTINATION include/kxparam/${folder} COMPONENT development)
endforeach()

install(EXPORT KxParameterManagerTargets NAMESPACE KxParameterManager:: DESTINATION
        ${KX_PACKAGE_DIR} COMPONENT development)
configure_package_config_file(cmake/KxParameterManagerConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/KxParameterManagerConfig.cmake
                              INSTALL_DESTINATION ${KX_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KxParameterManagerConfigVersion.cmake
                                 VERSION 1.0.0 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KxParameterManagerConfig.cmake
              ${CMAKE_BINARY_DIR}/KxParameterManagerConfigVersion.cmake
        DESTINATION ${KX_PACKAGE_DIR} COMPONENT development)

configure_file(cmake/KxParameterManager.pc.in ${CMAKE_BINARY_DIR}/KxParameterManager.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/KxParameterManager.pc DESTINATION lib/pkgconfig
        COMPONENT development)
