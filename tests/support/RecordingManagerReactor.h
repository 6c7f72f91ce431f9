#pragma once

#include "collections/KxParameterCollection.h"
#include "manager/KxParameterManagerReactor.h"
#include "support/TestParameter.h"

#include <string>

// Writes every notice of the manager to the log, as "M: <notice> <collection name>", or with
// "groups" or "null" for the group collection.
class RecordingManagerReactor : public KxParameterManagerReactor {
public:
    explicit RecordingManagerReactor(EventLog& log) : mLog(log) {}
    void collectionWillBeRegistered(KxParameterCollection* c) override { write("willRegister", c); }
    void collectionRegistered(KxParameterCollection* c) override { write("registered", c); }
    void collectionWillBeUnregistered(KxParameterCollection* c) override {
        write("willUnregister", c);
    }
    void collectionUnregistered(KxParameterCollection* c) override { write("unregistered", c); }
    void activeCollectionWillBeSet(KxParameterCollection* c) override { write("willActivate", c); }
    void activeCollectionSet(KxParameterCollection* c) override { write("activated", c); }
    void groupCollectionWillBeRegistered(KxParameterGroupCollection* g) override {
        write("willRegisterGroups", g);
    }
    void groupCollectionRegistered(KxParameterGroupCollection* g) override {
        write("registeredGroups", g);
    }
    void groupCollectionWillBeUnregistered(KxParameterGroupCollection* g) override {
        write("willUnregisterGroups", g);
    }
    void groupCollectionUnregistered(KxParameterGroupCollection* g) override {
        write("unregisteredGroups", g);
    }

private:
    void write(const char* what, const KxParameterCollection* collection) {
        mLog.push_back(std::string("M: ") + what + " " +
                       (collection ? utf8(collection->collectionName()) : "null"));
    }
    void write(const char* what, const KxParameterGroupCollection* groups) {
        mLog.push_back(std::string("M: ") + what + (groups ? " groups" : " null"));
    }
    EventLog& mLog;
};
