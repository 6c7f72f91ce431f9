#pragma once

#include "host/KxDbObject.h"
#include "host/KxDbObjectId.h"
#include "host/KxString.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// An object of a drawing file whose class this program does not know: it keeps the class's name,
// version and fields as they were read, and writes them back unchanged. Its object ids are kept as
// ids, so that they follow the objects they name from one save to the next.
class KxDbProxyObject : public KxDbObject {
public:
    using Field = std::variant<std::int32_t, std::int64_t, double, bool, KxString, KxDbObjectId>;

    KxDbProxyObject(std::wstring className, int version);

    const wchar_t* className() const override;
    int classVersion() const override;
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

private:
    std::wstring mClassName;
    int mVersion;
    std::vector<Field> mFields;
};
