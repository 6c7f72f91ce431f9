// Publishes one parameter and renames it twice through the change protocol: once to a name that
// its provider refuses, once to one it accepts, printing what a reactor hears each time.

#include "model/KxParameter.h"
#include "model/KxParameterReactor.h"

#include <cwctype>
#include <iostream>

namespace {

std::string text(const KxString& value) {
    return '"' + value.toUtf8() + '"';
}

// A provider's parameter whose names must be identifiers.
class PlateWidth : public KxParameter {
public:
    PlateWidth() : KxParameter(nullptr) {
        setNameInternal(L"width");
        setExpressionInternal(L"120");
    }

    Lumo::ErrorStatus getEntityId(KxDbObjectId& id) override {
        id.setNull();
        return Lumo::eNullObjectId;
    }
    Lumo::ErrorStatus getDescription(KxString& description) const override {
        description = L"Width of the plate";
        return Lumo::eOk;
    }
    Lumo::ErrorStatus setDescription(const KxString&) override { return Lumo::eNotSupported; }
    Lumo::ErrorStatus getValue(KxDbEvalVariant& value) override {
        value = 120.0;
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getTypeName(KxString& typeName) const override {
        typeName = L"Distance";
        return Lumo::eOk;
    }
    Lumo::ErrorStatus getValueText(KxString& valueText) override {
        valueText = L"120";
        return Lumo::eOk;
    }

protected:
    Lumo::ErrorStatus validateName(const KxString& name, KxString& message) override {
        const std::wstring& units = name.wstr();
        bool identifier = !units.empty() && (std::iswalpha(units[0]) || units[0] == L'_');
        for (wchar_t unit : units) {
            identifier = identifier && (std::iswalnum(unit) || unit == L'_');
        }
        if (!identifier) {
            message = L"A parameter name must be an identifier: a letter or '_', then letters, "
                      L"digits or '_'.";
            return Lumo::eInvalidInput;
        }
        return Lumo::eOk;
    }
    Lumo::ErrorStatus validateExpression(const KxString&, KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus updateParameterInternal() override { return Lumo::eOk; }
};

class PrintingReactor : public KxParameterReactor {
public:
    void nameWillChange(KxParameter* parameter, const KxString& newName) override {
        std::cout << "  reactor: nameWillChange " << text(parameter->getName()) << " -> "
                  << text(newName) << '\n';
    }
    void nameChanged(KxParameter* parameter, const KxString& newName) override {
        std::cout << "  reactor: nameChanged to " << text(newName) << ", stored name "
                  << text(parameter->getName()) << '\n';
    }
    void modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                            const KxString& detail) override {
        std::cout << "  reactor: modificationFailed status " << status << ", message "
                  << text(message) << ", detail " << text(detail) << '\n';
    }
};

void rename(KxParameter& parameter, const wchar_t* name) {
    const KxString proposed(name);
    std::cout << "setName(" << text(proposed) << ")\n";
    const Lumo::ErrorStatus status = parameter.setName(proposed);
    std::cout << "  result " << status << ", name now " << text(parameter.getName()) << "\n\n";
}

} // namespace

int main() {
    PlateWidth width;
    PrintingReactor reactor;
    width.addReactor(&reactor);
    std::cout << "Published parameter " << text(width.getName()) << " = "
              << text(width.getExpression()) << "\n\n";

    rename(width, L"2nd width");
    rename(width, L"plate_width");
    rename(width, L"plate_width");

    width.removeReactor(&reactor);
    return 0;
}
