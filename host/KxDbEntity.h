#pragma once

/// @file
/// Drawing entities, their highlights, and opening them.

#include "host/KxDbFullSubentPath.h"
#include "host/KxDbObject.h"
#include "host/KxGiHighlightStyle.h"
#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <vector>

/// One highlight standing on an entity.
struct KxDbHighlight {
    KxDbFullSubentPath path;                       ///< what is highlighted
    KxGiHighlightStyle style = kKxGiHighlightNone; ///< how it is drawn
    /// True when path and style are equal.
    bool operator==(const KxDbHighlight&) const = default;
};

/// A drawable object. Its highlights form a stack: each push stands until a pop of the same path.
class KX_HOST_EXPORT KxDbEntity : public KxDbObject {
public:
    /// Defined in the host, so that the host owns the class's vtable: an entity that a module made
    /// can then outlive the module in a database.
    ~KxDbEntity() override;

    /// "KxDbEntity". Highlights are not fields: an entity writes none of its own.
    const wchar_t* className() const override;

    /// The entity must be open and the path must lead to it: eNotOpen, eInvalidInput otherwise.
    Lumo::ErrorStatus pushHighlight(const KxDbFullSubentPath& path, KxGiHighlightStyle style);
    /// Takes away the latest highlight of that path; eNotHighlighted when none stands.
    Lumo::ErrorStatus popHighlight(const KxDbFullSubentPath& path);

    /// The highlights standing, oldest first.
    const std::vector<KxDbHighlight>& highlights() const { return mHighlights; }

private:
    // The failure controls of the project's tests (host/testing/KxHostTesting.h).
    friend class KxHostTesting;

    Lumo::ErrorStatus checkAccess(const KxDbFullSubentPath& path) const;
    static Lumo::ErrorStatus spend(Lumo::ErrorStatus& failure);

    std::vector<KxDbHighlight> mHighlights;
    Lumo::ErrorStatus mNextPushFailure = Lumo::eOk;
    Lumo::ErrorStatus mNextPopFailure = Lumo::eOk;
};

/// Opens the entity that the id names, as the object form does; eNotAnEntity, with nothing
/// opened, when the object is not an entity.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbOpenObject(KxDbEntity*& entity, KxDbObjectId id, int openMode,
                                                bool openErased = false);
