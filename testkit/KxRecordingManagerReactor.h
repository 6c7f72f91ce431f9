#pragma once

#include "manager/KxParameterManagerReactor.h"
#include "testkit/KxEventLog.h"
#include "testkit/KxTestKitExport.h"

/// Writes every notice of the manager to the log, as "M: <notice> <collection name>", or with
/// "groups" or "null" for the group collection. Put it on the manager with a
/// KxScopedManagerReactor (kit/KxScopedRegistration.h) or KxParameterManager::addReactor.
class KX_TESTKIT_EXPORT KxRecordingManagerReactor : public KxParameterManagerReactor {
public:
    /// Writes to the log, which must outlive the reactor.
    explicit KxRecordingManagerReactor(KxEventLog& log) : mLog(log) {}
    ~KxRecordingManagerReactor() override;

    void collectionWillBeRegistered(KxParameterCollection* collection) override;
    void collectionRegistered(KxParameterCollection* collection) override;
    void collectionWillBeUnregistered(KxParameterCollection* collection) override;
    void collectionUnregistered(KxParameterCollection* collection) override;
    void activeCollectionWillBeSet(KxParameterCollection* collection) override;
    void activeCollectionSet(KxParameterCollection* collection) override;
    void groupCollectionWillBeRegistered(KxParameterGroupCollection* groups) override;
    void groupCollectionRegistered(KxParameterGroupCollection* groups) override;
    void groupCollectionWillBeUnregistered(KxParameterGroupCollection* groups) override;
    void groupCollectionUnregistered(KxParameterGroupCollection* groups) override;

private:
    void write(const char* what, const KxParameterCollection* collection);
    void write(const char* what, const KxParameterGroupCollection* groups);

    KxEventLog& mLog;
};
