#pragma once

/// @file
/// What a database's reactors hear.

#include "host/KxHostExport.h"

class KxDbDatabase;
class KxString;

/// Hears what happens to a whole database: undo and redo applied, a drawing file read into it.
/// Attached with KxDbDatabase::addReactor and not owned: remove it before it is destroyed. Every
/// notice has an empty body.
class KX_HOST_EXPORT KxDbDatabaseReactor {
public:
    virtual ~KxDbDatabaseReactor();
    /// The group of that name was undone, after its objects' reactors heard of their changes.
    virtual void undoApplied(KxDbDatabase* database, const KxString& groupName);
    /// The group of that name was redone, after its objects' reactors heard of their changes.
    virtual void redoApplied(KxDbDatabase* database, const KxString& groupName);
    /// The database's objects were replaced by those of a drawing file: every id held before names
    /// nothing now.
    virtual void drawingRead(KxDbDatabase* database);
};
