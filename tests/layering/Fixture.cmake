# A made-up "model" layer whose files break each rule of the layering check once, beside includes
# that keep the rules: the check must count exactly three.
set(KX_SOURCE_DIR ${SOURCE_DIR})
set(KX_LAYERS fixturehost fixturemodel)
set(KX_LAYER_fixturehost_FOLDER host)
set(KX_LAYER_fixturehost_REACH host)
set(KX_LAYER_fixturehost_PUBLIC ${SOURCE_DIR}/host/KxModuleExport.h)
set(KX_LAYER_fixturemodel_FOLDER model)
set(KX_LAYER_fixturemodel_REACH model host)
set(KX_LAYER_fixturemodel_PUBLIC ${CMAKE_CURRENT_LIST_DIR}/PublicHeader.h)
set(KX_LAYER_fixturemodel_PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Upward.cpp)
set(KX_OTHER_FILES ${CMAKE_CURRENT_LIST_DIR}/Outside.cpp)
