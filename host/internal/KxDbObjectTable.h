#pragma once

#include <cstdint>
#include <vector>

class KxDbObject;

// The host's table of every database-resident object by handle. Internal to the host: ids, the
// databases and the open function reach objects through it, nobody else.
namespace KxDbObjectTable {

// Enters an object under a new handle, never handed out before, and gives the handle.
std::uint64_t enter(KxDbObject* object);
void remove(std::uint64_t handle);
// The object of that handle, or null when the handle names none (any more).
KxDbObject* find(std::uint64_t handle);
// Puts another object under a handle that names one.
void replace(std::uint64_t handle, KxDbObject* object);
// Every object entered, in no particular order.
std::vector<KxDbObject*> objects();

} // namespace KxDbObjectTable
