#pragma once

#include "host/KxDbObjectId.h"

#include <cstdint>
#include <vector>

/// What part of an entity a path names; the null type names the whole entity.
enum KxDbSubentType : int {
    kKxDbNullSubentType = 0,   ///< the whole entity
    kKxDbFaceSubentType = 1,   ///< a face
    kKxDbEdgeSubentType = 2,   ///< an edge
    kKxDbVertexSubentType = 3, ///< a vertex
};

/// One part of an entity: a type and an index. The default is the null sub-entity id, type 0 and
/// index 0.
class KxDbSubentId {
public:
    /// The null sub-entity id.
    KxDbSubentId() = default;
    /// The part of that type with that index.
    KxDbSubentId(KxDbSubentType type, std::int64_t index) : mType(type), mIndex(index) {}

    /// The type of the part.
    KxDbSubentType type() const { return mType; }
    /// The index of the part among those of its type.
    std::int64_t index() const { return mIndex; }

    /// True when type and index are equal.
    bool operator==(const KxDbSubentId&) const = default;

private:
    KxDbSubentType mType = kKxDbNullSubentType;
    std::int64_t mIndex = 0;
};

/// The path from a drawing down to an entity, or to one part of it.
class KxDbFullSubentPath {
public:
    /// The empty path: no object, the null sub-entity id.
    KxDbFullSubentPath() = default;
    /// The path to that part of that entity.
    KxDbFullSubentPath(KxDbObjectId entity, KxDbSubentId subent)
        : mObjectIds{entity}, mSubentId(subent) {}

    /// The objects from the drawing down to the entity; the entity comes last.
    const std::vector<KxDbObjectId>& objectIds() const { return mObjectIds; }
    /// The part of the entity; the null id for the whole entity.
    const KxDbSubentId& subentId() const { return mSubentId; }

    /// True when the objects and the part are equal.
    bool operator==(const KxDbFullSubentPath&) const = default;

private:
    std::vector<KxDbObjectId> mObjectIds;
    KxDbSubentId mSubentId;
};
