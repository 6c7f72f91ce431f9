#pragma once

#include <cstdint>

class KxDbObject;

// The host's table of every database-resident object by handle. Internal to the host: ids, the
// databases and the open function reach objects through it, nobody else.
namespace KxDbObjectTable {

// Enters an object under a new handle, never handed out before, and gives the handle.
std::uint64_t enter(KxDbObject* object);
void remove(std::uint64_t handle);
// The object of that handle, or null when the handle names none (any more).
KxDbObject* find(std::uint64_t handle);

} // namespace KxDbObjectTable
