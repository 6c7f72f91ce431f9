#include "host/KxDbObjectReactor.h"

KxDbObjectReactor::~KxDbObjectReactor() = default;
void KxDbObjectReactor::modified(const KxDbObject*) {}
void KxDbObjectReactor::erased(const KxDbObject*) {}
void KxDbObjectReactor::unerased(const KxDbObject*) {}
