#pragma once

#include "host/KxDbObject.h"
#include "host/KxString.h"

#include <cstdint>
#include <string>

class KxPlateParameter;

// What makes one plate parameter what it is, kept in the drawing's database so that undo, redo,
// saving and opening cover it: the parameter's texts, kind, properties, groups and role, the entity
// that stands for it and the plate it belongs to. Values and usage counts are not kept: the plate
// derives them. The texts are kept as UTF-8 and the group indexes as 16-bit units, which short
// ones hold without a heap block of their own: a plate may have 100,000 parameters.
class KxPlateParameterRecord : public KxDbObject {
public:
    static constexpr const wchar_t* kClassName = L"KxBracketPlateParameter";
    // No role in the drawing.
    static constexpr std::int32_t kNoRole = -1;

    struct Fields {
        KxDbObjectId plate;
        std::string name;
        std::string expression;
        std::int32_t kind = 0;
        std::string description;
        double tolerance = 0.0;
        std::u16string groups;
        std::int32_t role = kNoRole;
        KxDbObjectId entity;

        bool operator==(const Fields&) const = default;
    };

    static KxDbObject* make() { return new KxPlateParameterRecord; }

    const wchar_t* className() const override { return kClassName; }
    int classVersion() const override { return 1; }
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    // Refuses a kind, role or group index that no plate parameter can have.
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

    Fields fields;
    // The plate's parameter that the record keeps while it stands; not written, and null while
    // the record is erased or the plate that made it is gone.
    KxPlateParameter* parameter = nullptr;
};
