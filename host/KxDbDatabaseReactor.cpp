#include "host/KxDbDatabaseReactor.h"

KxDbDatabaseReactor::~KxDbDatabaseReactor() = default;
void KxDbDatabaseReactor::undoApplied(KxDbDatabase*, const KxString&) {}
void KxDbDatabaseReactor::redoApplied(KxDbDatabase*, const KxString&) {}
void KxDbDatabaseReactor::drawingRead(KxDbDatabase*) {}
