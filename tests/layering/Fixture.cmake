# Made-up layers whose files break each rule of the layering check once, beside includes that keep
# the rules: the check must count exactly five. "lock" shares the folder tests/ with "model" and
# uses only the host, as the document lock shares manager/ with the manager.
set(KX_SOURCE_DIR ${SOURCE_DIR})
set(KX_LAYERS fixturehost fixturemodel fixturelock)
set(KX_LAYER_fixturehost_FOLDER host)
set(KX_LAYER_fixturehost_REACH host)
set(KX_LAYER_fixturehost_USES fixturehost)
set(KX_LAYER_fixturehost_PUBLIC ${SOURCE_DIR}/host/KxModuleExport.h)
set(KX_LAYER_fixturemodel_FOLDER model)
set(KX_LAYER_fixturemodel_REACH model host)
set(KX_LAYER_fixturemodel_USES fixturemodel fixturehost)
set(KX_LAYER_fixturemodel_PUBLIC ${CMAKE_CURRENT_LIST_DIR}/PublicHeader.h)
set(KX_LAYER_fixturemodel_PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Upward.cpp)
set(KX_LAYER_fixturelock_FOLDER tests)
set(KX_LAYER_fixturelock_REACH tests host)
set(KX_LAYER_fixturelock_USES fixturelock fixturehost)
set(KX_LAYER_fixturelock_PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Beside.cpp)
set(KX_OTHER_FILES ${CMAKE_CURRENT_LIST_DIR}/Outside.cpp)
