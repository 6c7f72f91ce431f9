#pragma once

#include "host/KxDbObject.h"
#include "host/KxDbObjectId.h"
#include "host/KxString.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// An object of a class this program does not know: read from a drawing file, or left behind by a
// class withdrawn with its module. It keeps the class's name, version, mandatory flag and fields,
// and writes them back unchanged. Its object ids are kept as ids, so that they follow the objects
// they name from one save to the next.
class KxDbProxyObject : public KxDbObject {
public:
    using Field = std::variant<std::int32_t, std::int64_t, double, bool, KxString, KxDbObjectId>;

    KxDbProxyObject(std::wstring className, int version, bool mandatory);

    // Puts a stand-in in the place of every object of that class in a database, with its id,
    // handle, erased flag, reactors and fields, and deletes the object: its class's code may be
    // about to leave the process.
    static void standIn(const wchar_t* className, bool mandatory);

    bool isMandatory() const { return mbMandatory; }

    const wchar_t* className() const override;
    int classVersion() const override;
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

private:
    std::wstring mClassName;
    int mVersion;
    bool mbMandatory;
    std::vector<Field> mFields;
};
