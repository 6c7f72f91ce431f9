#pragma once

#include "host/KxExport.h"

#include <cstdint>

class KxDbDatabase;

// Names one object of a drawing database by its handle. Handles are unique in the process and
// never handed out twice, so an id outlives its object safely: it then names nothing. The null id
// names nothing either.
class KX_EXPORT KxDbObjectId {
public:
    KxDbObjectId() = default;
    explicit KxDbObjectId(std::uint64_t handle) : mHandle(handle) {}

    static KxDbObjectId kNull() { return KxDbObjectId(); }

    bool isNull() const { return mHandle == 0; }
    void setNull() { mHandle = 0; }
    std::uint64_t handle() const { return mHandle; }

    // True while the id names an object of a live database that has not been erased.
    bool isValid() const;
    // The database that holds the object the id names (erased or not); null when it names none.
    KxDbDatabase* database() const;

    bool operator==(const KxDbObjectId&) const = default;

private:
    std::uint64_t mHandle = 0;
};
