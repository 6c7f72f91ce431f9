#pragma once

#include "model/KxParameter.h"

// A provider's parameter that accepts every change and keeps nothing beyond the base class.
class BenchParameter : public KxParameter {
public:
    explicit BenchParameter(KxParameterCollection* owner) : KxParameter(owner) {}

    Lumo::ErrorStatus getEntityId(KxDbObjectId& id) override {
        id.setNull();
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getDescription(KxString&) const override { return Lumo::eOk; }
    Lumo::ErrorStatus setDescription(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus getValue(KxDbEvalVariant&) override { return Lumo::eOk; }
    Lumo::ErrorStatus getTypeName(KxString&) const override { return Lumo::eOk; }
    Lumo::ErrorStatus getValueText(KxString&) override { return Lumo::eOk; }

    using KxParameter::setGroupNameIndexesInternal;

protected:
    Lumo::ErrorStatus validateName(const KxString&, KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus validateExpression(const KxString&, KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus updateParameterInternal() override { return Lumo::eOk; }
};
