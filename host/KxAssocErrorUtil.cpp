#include "host/KxAssocErrorUtil.h"

namespace {

KxAssocErrorRecord& record() {
    static KxAssocErrorRecord scopes;
    return scopes;
}

} // namespace

KxAssocErrorUtil::KxAssocErrorUtil(Lumo::ErrorStatus& status, KxDbDatabase*) : mStatus(status) {
    ++record().opened;
}

KxAssocErrorUtil::~KxAssocErrorUtil() {
    ++record().closed;
    record().lastStatus = mStatus;
}

const KxAssocErrorRecord& kxAssocErrorRecord() {
    return record();
}

void kxAssocErrorReset() {
    record() = KxAssocErrorRecord();
}
