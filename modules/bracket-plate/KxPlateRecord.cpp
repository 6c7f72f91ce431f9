#include "KxPlateRecord.h"

#include "KxPlateParameterRecord.h"

#include "host/KxDbClassRegistry.h"
#include "host/KxDbFiler.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

Lumo::ErrorStatus KxPlateRecord::writeFields(KxDbFiler& filer) const {
    KxDbObject::writeFields(filer);
    filer.writeText(name);
    filer.writeObjectId(outline);
    filer.writeInt32(static_cast<std::int32_t>(holes.size()));
    for (const KxDbObjectId& hole : holes) {
        filer.writeObjectId(hole);
    }
    filer.writeInt32(static_cast<std::int32_t>(groups.groups.size()));
    for (const Group& group : groups.groups) {
        filer.writeText(group.name);
        filer.writeInt32(group.index);
        filer.writeBool(group.standing);
    }
    filer.writeInt32(groups.nextIndex);
    return filer.status();
}

Lumo::ErrorStatus KxPlateRecord::readFields(KxDbFiler& filer, int version) {
    KxDbObject::readFields(filer, version);
    KxPlateRecord read;
    std::int32_t count = 0;
    filer.readText(read.name);
    filer.readObjectId(read.outline);
    filer.readInt32(count);
    for (std::int32_t i = 0; i < count && filer.status() == Lumo::eOk; ++i) {
        read.holes.emplace_back();
        filer.readObjectId(read.holes.back());
    }
    filer.readInt32(count);
    std::set<short> indexes;
    bool valid = count >= 0;
    for (std::int32_t i = 0; valid && i < count && filer.status() == Lumo::eOk; ++i) {
        Group group;
        std::int32_t index = -1;
        filer.readText(group.name);
        filer.readInt32(index);
        filer.readBool(group.standing);
        valid = index >= 0 && index <= std::numeric_limits<short>::max() &&
                indexes.insert(static_cast<short>(index)).second;
        group.index = static_cast<short>(index);
        read.groups.groups.push_back(std::move(group));
    }
    filer.readInt32(read.groups.nextIndex);
    if (filer.status() != Lumo::eOk) {
        return filer.status();
    }
    const int highest = indexes.empty() ? -1 : *indexes.rbegin();
    if (!valid || read.groups.nextIndex <= highest ||
        read.groups.nextIndex > std::numeric_limits<short>::max() + 1) {
        return Lumo::eBadFileFormat;
    }
    name = std::move(read.name);
    outline = read.outline;
    holes = std::move(read.holes);
    groups = std::move(read.groups);
    return Lumo::eOk;
}

namespace {

int& livingPlates() {
    static int count = 0;
    return count;
}

} // namespace

KxPlateClasses::KxPlateClasses() {
    if (livingPlates()++ == 0) {
        kxdbRegisterClass(KxPlateRecord::kClassName, KxPlateRecord::make, false);
        kxdbRegisterClass(KxPlateParameterRecord::kClassName, KxPlateParameterRecord::make, false);
    }
}

KxPlateClasses::~KxPlateClasses() {
    if (--livingPlates() == 0) {
        kxdbUnregisterClass(KxPlateParameterRecord::kClassName);
        kxdbUnregisterClass(KxPlateRecord::kClassName);
    }
}
