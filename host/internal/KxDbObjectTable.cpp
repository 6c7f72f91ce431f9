#include "host/internal/KxDbObjectTable.h"

#include <vector>

namespace {

// Handles are handed out in order and never again, so the table is a vector indexed by handle:
// a pointer's worth for each object ever made, where a hash map took five times that for each
// object alive.
struct Table {
    std::vector<KxDbObject*> objects{nullptr};
};

// Never destroyed: databases that other static objects own may still leave it at exit.
Table& table() {
    static auto* objects = new Table;
    return *objects;
}

} // namespace

std::uint64_t KxDbObjectTable::enter(KxDbObject* object) {
    table().objects.push_back(object);
    return table().objects.size() - 1;
}

void KxDbObjectTable::remove(std::uint64_t handle) {
    if (handle < table().objects.size()) {
        table().objects[handle] = nullptr;
    }
}

KxDbObject* KxDbObjectTable::find(std::uint64_t handle) {
    return handle < table().objects.size() ? table().objects[handle] : nullptr;
}

void KxDbObjectTable::replace(std::uint64_t handle, KxDbObject* object) {
    if (handle < table().objects.size()) {
        table().objects[handle] = object;
    }
}

std::vector<KxDbObject*> KxDbObjectTable::objects() {
    std::vector<KxDbObject*> all;
    for (KxDbObject* object : table().objects) {
        if (object) {
            all.push_back(object);
        }
    }
    return all;
}
