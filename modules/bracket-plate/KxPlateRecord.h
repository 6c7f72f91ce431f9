#pragma once

#include "host/KxDbObject.h"
#include "host/KxString.h"

#include <vector>

// What a bracket plate keeps in the drawing's database besides its parameters: its name, the
// entities its drawing owns (the outline and the holes), and its groups, so that undo, redo,
// saving and opening cover them as they cover the parameters' records.
class KxPlateRecord : public KxDbObject {
public:
    static constexpr const wchar_t* kClassName = L"KxBracketPlate";

    // A group name and the index it was given; a deleted group keeps its index, so that the name
    // gets it back and no other name ever does.
    struct Group {
        KxString name;
        short index = 0;
        bool standing = false;

        bool operator==(const Group&) const = default;
    };
    struct Groups {
        // The standing groups in the order the palette lists them, then the deleted ones.
        std::vector<Group> groups;
        int nextIndex = 0;

        bool operator==(const Groups&) const = default;
    };

    static KxDbObject* make() { return new KxPlateRecord; }

    const wchar_t* className() const override { return kClassName; }
    int classVersion() const override { return 1; }
    Lumo::ErrorStatus writeFields(KxDbFiler& filer) const override;
    // Refuses negative or repeated group indexes and an index to come that one has.
    Lumo::ErrorStatus readFields(KxDbFiler& filer, int version) override;

    KxString name;
    KxDbObjectId outline;
    std::vector<KxDbObjectId> holes;
    Groups groups;
};

// Opens the record that the id names for write when it is one of that class; null when it is not,
// is gone or erased, or stands open. The caller closes it.
template <class Record>
Record* openPlateRecord(const KxDbObjectId& id) {
    KxDbObject* object = nullptr;
    if (kxdbOpenObject(object, id, KxDb::kForWrite) != Lumo::eOk || !object) {
        return nullptr;
    }
    auto* record = dynamic_cast<Record*>(object);
    if (!record) {
        object->close();
    }
    return record;
}

// Registers the plate's two classes of database objects while any plate lives, so that drawings
// with plates can be saved and read; the last one withdraws them.
class KxPlateClasses {
public:
    KxPlateClasses();
    ~KxPlateClasses();
    KxPlateClasses(const KxPlateClasses&) = delete;
    KxPlateClasses& operator=(const KxPlateClasses&) = delete;
};
