#pragma once

// Everything a provider, a palette author or a client of the parameter manager compiles against,
// in one include: the model, the collections, the manager with its reactor and undo bracket, the
// palette interface and its proxy, the utilities, the kit, and the host types they use. The
// library's internal headers are not among them.

// The host types in the library's signatures.
#include "host/CImageList.h"
#include "host/KxApDocument.h"
#include "host/KxArray.h"
#include "host/KxDbEntity.h"
#include "host/KxDbEvalVariant.h"
#include "host/KxDbObjectId.h"
#include "host/KxModuleExport.h"
#include "host/KxModuleLoader.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "host/WindowHandle.h"

// The model.
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "model/KxParameterValueSet.h"
#include "model/KxParameterValueSetList.h"

// The collections, their reactors, enablers, columns and filters.
#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "collections/KxParameterFilter.h"
#include "collections/KxParameterGroupCollection.h"
#include "collections/KxParameterGroupFilter.h"
#include "collections/KxParameterPropertyEnabler.h"

// The manager.
#include "manager/KxParameterManager.h"
#include "manager/KxParameterManagerReactor.h"
#include "manager/KxPmUndoBracket.h"

// The palette and its proxy.
#include "palette/IKxApParameterManagerESWHost.h"
#include "palette/KxApParameterManagerESW.h"

// Utilities.
#include "util/KxParameterUtil.h"

// The kit.
#include "kit/KxDisplayValue.h"
#include "kit/KxEditProperty.h"
#include "kit/KxModuleDefinition.h"
#include "kit/KxPaletteControl.h"
#include "kit/KxPaletteTable.h"
#include "kit/KxParameterGroupNames.h"
#include "kit/KxParameterManagerAlive.h"
#include "kit/KxScopedRegistration.h"
#include "palette/KxPaletteBase.h"
