#pragma once

#include "host/KxDbFiler.h"
#include "host/KxDbObject.h"
#include "host/KxString.h"

#include <cstdint>

// A database object of the tests' own with a field of each type the filer knows. Version 2 added
// the label; a version 1 image has none.
class TestDbObject : public KxDbObject {
public:
    static KxDbObject* make() { return new TestDbObject; }

    const wchar_t* className() const override { return L"TestDbObject"; }
    int classVersion() const override { return 2; }
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override {
        KxDbObject::writeFields(filer);
        filer.writeInt32(count);
        filer.writeInt64(big);
        filer.writeDouble(width);
        filer.writeBool(shown);
        filer.writeText(label);
        filer.writeObjectId(link);
        return filer.status();
    }
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override {
        KxDbObject::readFields(filer, version);
        filer.readInt32(count);
        filer.readInt64(big);
        filer.readDouble(width);
        filer.readBool(shown);
        if (version >= 2) {
            filer.readText(label);
        }
        filer.readObjectId(link);
        return filer.status();
    }

    std::int32_t count = 0;
    std::int64_t big = 0;
    double width = 0.0;
    bool shown = false;
    KxString label;
    KxDbObjectId link;
};
