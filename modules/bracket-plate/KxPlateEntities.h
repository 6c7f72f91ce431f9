#pragma once

#include "host/KxDbObjectId.h"

class KxDbDatabase;

// The entities that stand for the plate, its holes and its dimensions in the drawing.
namespace KxPlateEntities {

// A new polyline, with no points yet, in the database; the null id without a database, or when
// the database refuses.
KxDbObjectId add(KxDbDatabase* database);
// The same for a circle of radius 0 at (0,0).
KxDbObjectId addCircle(KxDbDatabase* database);

// Deletes the entity, which takes it out of its database, rather than only erasing it: a module
// that is unloaded leaves nothing of its drawing behind. An entity that somebody holds open is
// erased instead. Nothing happens for an id that names nothing, for instance after its document
// was closed.
void remove(const KxDbObjectId& id);

} // namespace KxPlateEntities
