// A minimal provider: the dimensions of a shelf as parameters of one collection, each a length
// typed by the user (no expressions over other parameters), with a "note" property and groups.
// The steps follow docs/provider-guide.md.

#include "kit/KxParameterKit.h"

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

class ShelfCollection;

// Step 2: a property, the user's note on a dimension. Any value is accepted.
class NoteProperty : public KxParameterProperty {
public:
    NoteProperty() : KxParameterProperty(L"note") { value() = KxString(); }
    Lumo::ErrorStatus applyValue(const KxParameterProperty& source, KxString&, KxString&) override {
        value() = source.value();
        return Lumo::eOk;
    }
    void updateValue() override {}
};

// Step 1: the parameter. Its expression is a length in the drawing's units; its value is that
// length. Names must be unique within the shelf.
class ShelfParameter : public KxParameter {
public:
    ShelfParameter(ShelfCollection* shelf, const std::wstring& name, const wchar_t* length);

    Lumo::ErrorStatus getEntityId(KxDbObjectId& id) override {
        id = KxDbObjectId(); // a shelf draws nothing, so there is nothing to highlight
        return Lumo::eNullObjectId;
    }
    Lumo::ErrorStatus getDescription(KxString& text) const override {
        text = mDescription;
        return Lumo::eOk;
    }
    Lumo::ErrorStatus setDescription(const KxString& text) override {
        mDescription = text;
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getValue(KxDbEvalVariant& value) override {
        value = mLength;
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getTypeName(KxString& name) const override {
        name = L"Length";
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getValueText(KxString& text) override {
        text = KxParameterUtil::evalVariantToString(mLength);
        return Lumo::eOk;
    }
    // Overriding the group hooks hides the public addToGroup/removeFromGroup: bring them back.
    using KxParameter::addToGroup;
    using KxParameter::removeFromGroup;

protected:
    Lumo::ErrorStatus addToGroup(const short&, KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus removeFromGroup(const short&, KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus validateName(const KxString& name, KxString& message) override;
    Lumo::ErrorStatus validateExpression(const KxString& text, KxString& message) override {
        KxDbEvalVariant length(0.0);
        if (KxParameterUtil::stringToEvalVariant(text, length) != Lumo::eOk) {
            message = KxString(L"not a length: " + text.wstr());
            return Lumo::eInvalidInput;
        }
        return Lumo::eOk;
    }
    Lumo::ErrorStatus setExpressionInternal(const KxString& text) override {
        KxParameter::setExpressionInternal(text); // stores the text
        return KxParameterUtil::stringToEvalVariant(text, mLength);
    }
    Lumo::ErrorStatus updateParameterInternal() override { return Lumo::eOk; }

private:
    ShelfCollection* mpShelf;
    KxString mDescription;
    KxDbEvalVariant mLength{0.0};
};

// Step 3: the collection, which owns its parameters and makes new ones with free names.
class ShelfCollection : public KxParameterCollection {
public:
    // The shelf as it is drawn first: its outer dimensions are in the group "outer" (index 0).
    ShelfCollection() : KxParameterCollection(L"Shelf") {
        for (const auto& [name, length, outer] : {std::tuple{L"width", L"800", true},
                                                  {L"height", L"1200", true},
                                                  {L"depth", L"300", false}}) {
            ShelfParameter* parameter = own(name, length);
            addParameter(parameter);
            if (outer) {
                parameter->addToGroup(0);
            }
        }
    }
    ShelfParameter* own(const std::wstring& name, const wchar_t* length) {
        return mOwned.emplace_back(std::make_unique<ShelfParameter>(this, name, length)).get();
    }
    bool isNameUsed(const KxString& name) const {
        const auto& all = getParameters();
        return std::any_of(all.begin(), all.end(), [&](auto* p) { return p->getName() == name; });
    }
    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override {
        int number = 1;
        while (isNameUsed(KxString(L"length" + std::to_wstring(number)))) {
            ++number;
        }
        parameter = own(L"length" + std::to_wstring(number), L"0"); // the caller adds it
        return Lumo::eOk;
    }

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override {
        std::erase_if(mOwned, [&](const auto& owned) { return parameters.contains(owned.get()); });
    }

private:
    std::vector<std::unique_ptr<ShelfParameter>> mOwned;
};

ShelfParameter::ShelfParameter(ShelfCollection* shelf, const std::wstring& name,
                               const wchar_t* length)
    : KxParameter(shelf), mpShelf(shelf) {
    KxParameter::setNameInternal(KxString(name));  // building: no reactor hears of it
    ShelfParameter::setExpressionInternal(length); // this class's own, as in any constructor
    addProperty(new NoteProperty());               // the parameter owns its properties
}

Lumo::ErrorStatus ShelfParameter::validateName(const KxString& name, KxString& message) {
    if (name.isEmpty() || mpShelf->isNameUsed(name)) {
        message = L"the shelf needs a new, non-empty name";
        return Lumo::eDuplicateKey;
    }
    return Lumo::eOk;
}

// Step 4: the groups. A group's index is its place in the list, so the list only grows.
class ShelfGroups : public KxParameterGroupCollection {
public:
    ShelfGroups() {
        KxArray<KxString> names;
        names.append(L"outer");
        setParameterGroupsInternal(names);
    }
    Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const override {
        KxArray<KxString> names;
        getParameterGroups(names);
        index = static_cast<short>(names.find(name));
        return index < 0 ? Lumo::eInvalidInput : Lumo::eOk;
    }

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString&) override {
        return Lumo::eNotAllowed;
    }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString&, const KxString&) override {
        return Lumo::eNotAllowed;
    }
};

// Step 5: the module. Loading makes the shelf and publishes it; unloading withdraws it.
struct ShelfModule {
    ShelfCollection shelf;
    ShelfGroups groups;
    CImageList images;
    KxScopedCollection published{shelf, images, &groups, KxActivation::kMakeActive};
};

} // namespace

KX_DEFINE_MODULE(ShelfModule);
