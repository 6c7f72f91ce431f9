#pragma once

#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "support/TestParameter.h"

#include <functional>
#include <string>
#include <utility>

// A provider's collection whose deletion check is set by the test and whose hooks write to a log.
class TestCollection : public KxParameterCollection {
public:
    explicit TestCollection(EventLog* log = nullptr, const wchar_t* name = L"test")
        : KxParameterCollection(name), mpLog(log) {}

    Lumo::ErrorStatus mCheckStatus = Lumo::eOk;
    // Runs inside the check, on the list the collection is offered.
    std::function<void(KxArray<KxParameter*>&)> mCheck;
    // What createParameter hands back, and its status.
    KxParameter* mpCreated = nullptr;
    Lumo::ErrorStatus mCreateStatus = Lumo::eOk;

    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override {
        write("create");
        parameter = mpCreated;
        return mCreateStatus;
    }
    Lumo::ErrorStatus checkParametersForDeletion(KxArray<KxParameter*>& parameters) override {
        write("check " + std::to_string(parameters.length()));
        if (mCheck) {
            mCheck(parameters);
        }
        return mCheckStatus;
    }
    using KxParameterCollection::getSupportedPropertiesInternal;

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override {
        write("erase " + std::to_string(parameters.length()) + " of " +
              std::to_string(getParameters().length()));
    }

private:
    void write(const std::string& event) {
        if (mpLog) {
            mpLog->push_back(utf8(collectionName()) + ": " + event);
        }
    }

    EventLog* mpLog;
};

// A provider's collection that offers the columns the test gives it.
struct ColumnCollection : TestCollection {
    using TestCollection::TestCollection;
    KxArray<KxColumnHeaderProperty> mColumns;
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override {
        columns = mColumns;
        return Lumo::eOk;
    }
};

// Writes every notice it hears, prefixed with its own label.
class RecordingCollectionReactor : public KxParameterCollectionReactor {
public:
    RecordingCollectionReactor(std::string label, EventLog& log)
        : mLabel(std::move(label)), mLog(log) {}
    void parameterAdded(KxParameter*) override { mLog.push_back(mLabel + ": parameterAdded"); }
    void parametersDeleted(const KxArray<KxParameter*>& parameters) override {
        mLog.push_back(mLabel + ": parametersDeleted " + std::to_string(parameters.length()));
    }

private:
    std::string mLabel;
    EventLog& mLog;
};
