#include "testkit/KxRecordingManagerReactor.h"

#include "collections/KxParameterCollection.h"

KxRecordingManagerReactor::~KxRecordingManagerReactor() = default;

void KxRecordingManagerReactor::collectionWillBeRegistered(KxParameterCollection* collection) {
    write("willRegister", collection);
}

void KxRecordingManagerReactor::collectionRegistered(KxParameterCollection* collection) {
    write("registered", collection);
}

void KxRecordingManagerReactor::collectionWillBeUnregistered(KxParameterCollection* collection) {
    write("willUnregister", collection);
}

void KxRecordingManagerReactor::collectionUnregistered(KxParameterCollection* collection) {
    write("unregistered", collection);
}

void KxRecordingManagerReactor::activeCollectionWillBeSet(KxParameterCollection* collection) {
    write("willActivate", collection);
}

void KxRecordingManagerReactor::activeCollectionSet(KxParameterCollection* collection) {
    write("activated", collection);
}

void KxRecordingManagerReactor::groupCollectionWillBeRegistered(
    KxParameterGroupCollection* groups) {
    write("willRegisterGroups", groups);
}

void KxRecordingManagerReactor::groupCollectionRegistered(KxParameterGroupCollection* groups) {
    write("registeredGroups", groups);
}

void KxRecordingManagerReactor::groupCollectionWillBeUnregistered(
    KxParameterGroupCollection* groups) {
    write("willUnregisterGroups", groups);
}

void KxRecordingManagerReactor::groupCollectionUnregistered(KxParameterGroupCollection* groups) {
    write("unregisteredGroups", groups);
}

void KxRecordingManagerReactor::write(const char* what, const KxParameterCollection* collection) {
    mLog.push_back(std::string("M: ") + what + " " +
                   (collection ? collection->collectionName().toUtf8() : "null"));
}

void KxRecordingManagerReactor::write(const char* what, const KxParameterGroupCollection* groups) {
    mLog.push_back(std::string("M: ") + what + (groups ? " groups" : " null"));
}
