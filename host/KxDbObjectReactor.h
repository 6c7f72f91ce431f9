#pragma once

/// @file
/// What a database object's reactors hear.

#include "host/KxHostExport.h"

class KxDbObject;

/// Hears what undo and redo do to one object of a database, once every object of the group has
/// been restored, so that a reactor sees the whole drawing as it now is. Attached with
/// KxDbObject::addReactor and not owned: remove it before it is destroyed. Every notice has an
/// empty body.
class KX_HOST_EXPORT KxDbObjectReactor {
public:
    virtual ~KxDbObjectReactor();
    /// The object's fields were put back as they were.
    virtual void modified(const KxDbObject* object);
    /// The object was erased: undo took back its addition, or redo its erasure again.
    virtual void erased(const KxDbObject* object);
    /// The erased object came back: undo took back its erasure, or redo its addition again.
    virtual void unerased(const KxDbObject* object);
};
