#include "host/internal/KxModelessBrackets.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"

#include <algorithm>
#include <vector>

namespace {

// One entry for each start not yet ended; null where it opened nothing.
std::vector<KxDbDatabase*>& open() {
    static std::vector<KxDbDatabase*> brackets;
    return brackets;
}

} // namespace

namespace KxModelessBrackets {

void started(const wchar_t* context) {
    const KxApDocument* document = kxDocManagerPtr()->curDocument();
    KxDbDatabase* database = document ? document->database() : nullptr;
    if (database) {
        database->beginUndoGroup(KxString(context));
    }
    open().push_back(database);
}

void ended() {
    if (open().empty()) {
        return;
    }
    KxDbDatabase* database = open().back();
    open().pop_back();
    if (database) {
        database->endUndoGroup();
    }
}

void forget(const KxDbDatabase* database) {
    std::replace(open().begin(), open().end(), const_cast<KxDbDatabase*>(database),
                 static_cast<KxDbDatabase*>(nullptr));
}

} // namespace KxModelessBrackets
