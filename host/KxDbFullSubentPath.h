#pragma once

#include "host/KxDbObjectId.h"

#include <cstdint>
#include <vector>

// What part of an entity a path names; the null type names the whole entity.
enum KxDbSubentType : int {
    kKxDbNullSubentType = 0,
    kKxDbFaceSubentType = 1,
    kKxDbEdgeSubentType = 2,
    kKxDbVertexSubentType = 3,
};

// One part of an entity: a type and an index. The default is the null sub-entity id, type 0 and
// index 0.
class KxDbSubentId {
public:
    KxDbSubentId() = default;
    KxDbSubentId(KxDbSubentType type, std::int64_t index) : mType(type), mIndex(index) {}

    KxDbSubentType type() const { return mType; }
    std::int64_t index() const { return mIndex; }

    bool operator==(const KxDbSubentId&) const = default;

private:
    KxDbSubentType mType = kKxDbNullSubentType;
    std::int64_t mIndex = 0;
};

// The path from a drawing down to an entity, or to one part of it.
class KxDbFullSubentPath {
public:
    KxDbFullSubentPath() = default;
    KxDbFullSubentPath(KxDbObjectId entity, KxDbSubentId subent)
        : mObjectIds{entity}, mSubentId(subent) {}

    const std::vector<KxDbObjectId>& objectIds() const { return mObjectIds; }
    const KxDbSubentId& subentId() const { return mSubentId; }

    bool operator==(const KxDbFullSubentPath&) const = default;

private:
    std::vector<KxDbObjectId> mObjectIds;
    KxDbSubentId mSubentId;
};
