#include "host/internal/KxDbObjectTable.h"

#include <unordered_map>

namespace {

struct Table {
    std::unordered_map<std::uint64_t, KxDbObject*> objects;
    std::uint64_t lastHandle = 0;
};

// Never destroyed: databases that other static objects own may still leave it at exit.
Table& table() {
    static auto* objects = new Table;
    return *objects;
}

} // namespace

std::uint64_t KxDbObjectTable::enter(KxDbObject* object) {
    const std::uint64_t handle = ++table().lastHandle;
    table().objects.emplace(handle, object);
    return handle;
}

void KxDbObjectTable::remove(std::uint64_t handle) {
    table().objects.erase(handle);
}

KxDbObject* KxDbObjectTable::find(std::uint64_t handle) {
    const auto found = table().objects.find(handle);
    return found == table().objects.end() ? nullptr : found->second;
}

void KxDbObjectTable::replace(std::uint64_t handle, KxDbObject* object) {
    table().objects[handle] = object;
}

std::vector<KxDbObject*> KxDbObjectTable::objects() {
    std::vector<KxDbObject*> all;
    all.reserve(table().objects.size());
    for (const auto& [handle, object] : table().objects) {
        all.push_back(object);
    }
    return all;
}
