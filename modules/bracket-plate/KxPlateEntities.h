#pragma once

#include "host/KxDbObjectId.h"

class KxDbDatabase;

// The entities that stand for the plate and its dimensions in the drawing.
namespace KxPlateEntities {

// A new entity in the database; the null id without a database, or when the database refuses.
KxDbObjectId add(KxDbDatabase* database);

// Deletes the entity, which takes it out of its database, rather than only erasing it: an entity
// made here carries this module's code, which must not stay behind in a drawing when the module
// is unloaded. An entity that somebody holds open is erased instead. Nothing happens for an id that
// names nothing, for instance after its document was closed.
void remove(const KxDbObjectId& id);

} // namespace KxPlateEntities
