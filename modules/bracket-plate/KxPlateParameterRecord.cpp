#include "KxPlateParameterRecord.h"

#include "KxPlateDrawing.h"
#include "KxPlateParameter.h"

#include "host/KxDbFiler.h"

#include <limits>

Lumo::ErrorStatus KxPlateParameterRecord::writeFields(KxDbFiler& filer) const {
    KxDbObject::writeFields(filer);
    filer.writeObjectId(fields.plate);
    filer.writeText(KxString::fromUtf8(fields.name));
    filer.writeText(KxString::fromUtf8(fields.expression));
    filer.writeInt32(fields.kind);
    filer.writeText(KxString::fromUtf8(fields.description));
    filer.writeDouble(fields.tolerance);
    filer.writeInt32(static_cast<std::int32_t>(fields.groups.size()));
    for (const char16_t group : fields.groups) {
        filer.writeInt32(group);
    }
    filer.writeInt32(fields.role);
    filer.writeObjectId(fields.entity);
    return filer.status();
}

Lumo::ErrorStatus KxPlateParameterRecord::readFields(KxDbFiler& filer, int version) {
    KxDbObject::readFields(filer, version);
    Fields read;
    std::int32_t count = 0;
    KxString name, expression, description;
    filer.readObjectId(read.plate);
    filer.readText(name);
    filer.readText(expression);
    filer.readInt32(read.kind);
    filer.readText(description);
    read.name = name.toUtf8();
    read.expression = expression.toUtf8();
    read.description = description.toUtf8();
    filer.readDouble(read.tolerance);
    filer.readInt32(count);
    for (std::int32_t i = 0; i < count && filer.status() == Lumo::eOk; ++i) {
        std::int32_t group = -1;
        filer.readInt32(group);
        if (group < 0 || group > std::numeric_limits<short>::max()) {
            return Lumo::eBadFileFormat;
        }
        read.groups.push_back(static_cast<char16_t>(group));
    }
    filer.readInt32(read.role);
    filer.readObjectId(read.entity);
    if (filer.status() != Lumo::eOk) {
        return filer.status();
    }
    const bool kindKnown =
        read.kind >= 0 && read.kind <= static_cast<int>(KxPlateParameter::Kind::kNumber);
    const bool roleKnown =
        read.role >= kNoRole && read.role < static_cast<int>(KxPlateDrawing::kRoleCount);
    if (count < 0 || !kindKnown || !roleKnown) {
        return Lumo::eBadFileFormat;
    }
    fields = std::move(read);
    return Lumo::eOk;
}
