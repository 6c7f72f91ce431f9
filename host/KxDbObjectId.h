#pragma once

#include "host/KxHostExport.h"

#include <cstdint>

class KxDbDatabase;

/// Names one object of a drawing database by its handle. Handles are unique in the process and
/// never handed out twice, so an id outlives its object safely: it then names nothing. The null id
/// names nothing either.
class KX_HOST_EXPORT KxDbObjectId {
public:
    /// The null id.
    KxDbObjectId() = default;
    /// The id of that handle; handle 0 gives the null id.
    explicit KxDbObjectId(std::uint64_t handle) : mHandle(handle) {}

    /// The null id.
    static KxDbObjectId kNull() { return {}; }

    /// True for the null id.
    bool isNull() const { return mHandle == 0; }
    /// Makes this the null id.
    void setNull() { mHandle = 0; }
    /// The object's handle; 0 for the null id.
    std::uint64_t handle() const { return mHandle; }

    /// True while the id names an object of a live database that has not been erased.
    bool isValid() const;
    /// The database that holds the object the id names (erased or not); null when it names none.
    KxDbDatabase* database() const;

    /// True when both name the same handle.
    bool operator==(const KxDbObjectId&) const = default;

private:
    std::uint64_t mHandle = 0;
};
