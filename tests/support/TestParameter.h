#pragma once

#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "testkit/KxEventLog.h"

#include <initializer_list>
#include <string>
#include <vector>

// One log that reactors, providers and the test kit's recorders write to, so that a test sees the
// order across all of them.
using EventLog = KxEventLog;

inline std::string utf8(const KxString& text) {
    return text.toUtf8();
}

// An array of the given parameters, in order.
inline KxArray<KxParameter*> parameterList(std::initializer_list<KxParameter*> parameters) {
    KxArray<KxParameter*> array;
    for (KxParameter* parameter : parameters) {
        array.append(parameter);
    }
    return array;
}

// A provider's parameter whose vetting is set by the test and whose hooks write to a log.
class TestParameter : public KxParameter {
public:
    explicit TestParameter(EventLog* log = nullptr, KxParameterCollection* owner = nullptr)
        : KxParameter(owner), mpLog(log) {}

    Lumo::ErrorStatus mValidateStatus = Lumo::eOk;
    KxString mValidateMessage;
    Lumo::ErrorStatus mValueStatus = Lumo::eOk;
    KxDbEvalVariant mValue;
    Lumo::ErrorStatus mUpdateStatus = Lumo::eOk;
    KxDbObjectId mEntityId;
    Lumo::ErrorStatus mEntityIdStatus = Lumo::eOk;

    Lumo::ErrorStatus getEntityId(KxDbObjectId& id) override {
        id = mEntityId;
        return mEntityIdStatus;
    }
    Lumo::ErrorStatus getDescription(KxString&) const override { return Lumo::eOk; }
    Lumo::ErrorStatus setDescription(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus getValue(KxDbEvalVariant& value) override {
        value = mValue;
        return mValueStatus;
    }
    Lumo::ErrorStatus getTypeName(KxString&) const override { return Lumo::eOk; }
    Lumo::ErrorStatus getValueText(KxString&) override { return Lumo::eOk; }

    using KxParameter::addToGroup;
    using KxParameter::getValueSet;
    using KxParameter::isPushHighlighted;
    using KxParameter::removeFromGroup;
    using KxParameter::setGroupNameIndexesInternal;

protected:
    Lumo::ErrorStatus validateName(const KxString& name, KxString& message) override {
        return vet("validateName", name, message);
    }
    Lumo::ErrorStatus validateExpression(const KxString& expression, KxString& message) override {
        return vet("validateExpression", expression, message);
    }
    Lumo::ErrorStatus setNameInternal(const KxString& name) override {
        write("setNameInternal " + utf8(name));
        return KxParameter::setNameInternal(name);
    }
    Lumo::ErrorStatus setExpressionInternal(const KxString& expression) override {
        write("setExpressionInternal " + utf8(expression));
        return KxParameter::setExpressionInternal(expression);
    }
    Lumo::ErrorStatus updateParameterInternal() override {
        write("updateParameterInternal");
        return mUpdateStatus;
    }

private:
    Lumo::ErrorStatus vet(const char* what, const KxString& text, KxString& message) {
        write(std::string(what) + " " + utf8(text) +
              (message.isEmpty() ? "" : " (message not empty)"));
        message = mValidateMessage;
        return mValidateStatus;
    }
    void write(const std::string& event) {
        if (mpLog) {
            mpLog->push_back(event);
        }
    }

    EventLog* mpLog;
};

// A property whose acceptance is set by the test; `applyValue` takes the value when it accepts.
class TestProperty : public KxParameterProperty {
public:
    explicit TestProperty(const wchar_t* name = nullptr, EventLog* log = nullptr)
        : KxParameterProperty(name), mpLog(log) {}

    Lumo::ErrorStatus mApplyStatus = Lumo::eOk;
    KxString mApplyMessage;
    KxString mApplyDetail;

    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString& message,
                                 KxString& detail) override {
        write("applyValue " + utf8(getName()));
        if (mApplyStatus != Lumo::eOk) {
            message = mApplyMessage;
            detail = mApplyDetail;
            return mApplyStatus;
        }
        value() = source.value();
        return Lumo::eOk;
    }
    void updateValue() override { write("updateValue " + utf8(getName())); }

private:
    void write(const std::string& event) {
        if (mpLog) {
            mpLog->push_back(event);
        }
    }

    EventLog* mpLog;
};

// Writes every notice it hears, prefixed with its own label.
class RecordingReactor : public KxParameterReactor {
public:
    RecordingReactor(std::string label, EventLog& log) : mLabel(std::move(label)), mLog(log) {}

    void nameWillChange(KxParameter*, const KxString& name) override {
        write("nameWillChange " + utf8(name));
    }
    void nameChanged(KxParameter*, const KxString& name) override {
        mpLastText = &name;
        write("nameChanged " + utf8(name));
    }
    void expressionWillChange(KxParameter*, const KxString& expression) override {
        write("expressionWillChange " + utf8(expression));
    }
    void expressionChanged(KxParameter*, const KxString& expression) override {
        mpLastText = &expression;
        write("expressionChanged " + utf8(expression));
    }
    void propertyWillChange(KxParameter*, KxParameterProperty* property) override {
        mpLastProperty = property;
        write("propertyWillChange " + utf8(property->getName()));
    }
    void propertyChanged(KxParameter*, KxParameterProperty* property) override {
        mpLastProperty = property;
        write("propertyChanged " + utf8(property->getName()));
    }
    void parameterModified(KxParameter*) override { write("parameterModified"); }
    void modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                            const KxString& detail) override {
        write("modificationFailed " + std::to_string(status) + " [" + utf8(message) + "] [" +
              utf8(detail) + "]");
    }
    void groupsWillChange(KxParameter*, const KxParameter::GroupIndexList& groups) override {
        write("groupsWillChange" + list(groups));
    }
    void groupsChanged(KxParameter*, const KxParameter::GroupIndexList& groups) override {
        write("groupsChanged" + list(groups));
    }

    const KxString* mpLastText = nullptr;
    KxParameterProperty* mpLastProperty = nullptr;

private:
    static std::string list(const KxParameter::GroupIndexList& groups) {
        std::string text;
        for (short index : groups) {
            text += " " + std::to_string(index);
        }
        return text;
    }
    void write(const std::string& event) { mLog.push_back(mLabel + ": " + event); }

    std::string mLabel;
    EventLog& mLog;
};
