#pragma once

#include "host/KxCompiledExpression.h"
#include "model/KxParameter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class KxPlateCollection;
struct KxPlateName;

// One dimension of the bracket plate: a real value computed from its expression, a description, a
// tolerance and an entity of the drawing that stands for it. Its three properties are
// "description" (text), "usage_count" (read-only, the parameters whose expressions name it) and
// "tolerance" (one of a set of reals). Vetting and evaluation are the plate's, which sees all
// parameters.
class KxPlateParameter : public KxParameter {
public:
    enum class Kind { kDistance, kAngle, kNumber };

    // The parameter is not added to the plate by this. Its entity and its record in the drawing
    // are the plate's to keep.
    KxPlateParameter(KxPlateCollection* plate, Kind kind, KxDbObjectId entityId);

    Lumo::ErrorStatus getEntityId(KxDbObjectId& id) override;
    Lumo::ErrorStatus getDescription(KxString& description) const override;
    Lumo::ErrorStatus setDescription(const KxString& description) override;
    // Always a real.
    Lumo::ErrorStatus getValue(KxDbEvalVariant& value) override;
    Lumo::ErrorStatus getTypeName(KxString& typeName) const override;
    Lumo::ErrorStatus getValueText(KxString& text) override;
    // An angle's value is in degrees.
    bool hasAngularUnits() override;
    // The public joining and leaving, which the hooks below would hide.
    using KxParameter::addToGroup;
    using KxParameter::removeFromGroup;

    KxPlateCollection* plate() const { return mpPlate; }
    Kind kind() const { return mKind; }
    double number() const { return mNumber; }
    void setNumber(double number) { mNumber = number; }
    double tolerance() const { return mTolerance; }
    // True while the plate's drawing shows what the parameter measures.
    bool isDrawn() const { return mbDrawn; }
    // Also the "tolerance" property's value; the set of allowed values is the property's to check.
    void setTolerance(double tolerance);

    // The plate's own ways to set the texts and the groups as they are, without vetting, for a
    // drawing being built or references being renamed; nobody hears of the texts. The plate
    // compiles what it stores.
    void storeName(const KxString& name);
    void storeExpression(const KxString& expression);
    void setGroups(const GroupIndexList& groupIndexes);

protected:
    // Any group may be joined and left; the plate's record takes the groups as the change leaves
    // them.
    Lumo::ErrorStatus addToGroup(const short& groupIndex, KxString& message) override;
    Lumo::ErrorStatus removeFromGroup(const short& groupIndex, KxString& message) override;
    // A new name is carried into the expressions that used the old one.
    Lumo::ErrorStatus setNameInternal(const KxString& name) override;
    // A new expression is evaluated, and so is every parameter that depends on it.
    Lumo::ErrorStatus setExpressionInternal(const KxString& expression) override;
    Lumo::ErrorStatus validateName(const KxString& name, KxString& message) override;
    Lumo::ErrorStatus validateExpression(const KxString& expression, KxString& message) override;
    // Evaluates the expression again with the values of the moment.
    Lumo::ErrorStatus updateParameterInternal() override;

private:
    friend class KxPlateCollection;
    friend class KxPlateDependencyGraph;
    friend class KxPlateDrawing;
    friend class KxPlateEvaluator;
    friend class KxPlateNameIndex;
    friend class KxPlateRecordKeeper;

    KxPlateCollection* mpPlate;
    Kind mKind;
    KxDbObjectId mEntityId;
    // The record that keeps the parameter's definition in the drawing; null until it is listed.
    KxDbObjectId mRecordId;
    double mNumber = 0.0;
    double mTolerance = 0.1;
    bool mbDrawn = false;

    // Where one variable of the expression stands while the parameter is listed: the plate's record
    // of the name, and the place among its users.
    struct UseSlot {
        KxPlateName* name = nullptr;
        int position = 0;
    };

    // The plate's bookkeeping: the compiled expression and a slot for each of its variables; the
    // plate's record of this parameter's own name; when it was listed, where it is owned; and
    // scratch fields for the plate's walks.
    KxCompiledExpression mCompiled;
    std::vector<UseSlot> mUseSlots;
    KxPlateName* mpNameRecord = nullptr;
    std::uint64_t mListOrder = 0;
    std::size_t mOwnedIndex = 0;
    int mListed = 0;
    std::uint32_t mMark = 0;
    int mWaiting = 0;
    double mTrial = 0.0;
};
