#include "host/KxDbDrawingFile.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbClassRegistry.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxPlatform.h"
#include "host/testing/KxHostTesting.h"
#include "support/DrawingFileSeal.h"
#include "support/HostSession.h"
#include "support/HostSysVars.h"
#include "support/ScratchFolder.h"
#include "support/TestDbObject.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

// The file's checksum, written again after a test changed a byte on purpose.
std::string resealed(std::string bytes) {
    sealDrawingFile(bytes);
    return bytes;
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A newer build of the test object's class, whose files this one cannot read.
struct FutureObject : TestDbObject {
    int classVersion() const override { return 3; }
};

struct Unregistered : KxDbObject {
    const wchar_t* className() const override { return L"Unregistered"; }
};

struct DrawingFile : HostSession {
    DrawingFile() { kxdbRegisterClass(L"TestDbObject", TestDbObject::make, true); }
    ~DrawingFile() override {
        kxdbUnregisterClass(L"TestDbObject");
        kxFailFileWrite(0);
    }

    KxDbObjectId add(KxDbDatabase* db, KxDbObject* object) {
        KxDbObjectId id;
        EXPECT_EQ(db->addObject(object, id), Lumo::eOk);
        return id;
    }
    static TestDbObject* thing(KxDbObjectId id) {
        KxDbObject* found = nullptr;
        EXPECT_EQ(kxdbOpenObject(found, id, KxDb::kForRead), Lumo::eOk);
        found->close();
        return static_cast<TestDbObject*>(found);
    }
    // Two objects that name each other (one forward), one that names an erased one, a polyline
    // and a circle.
    void fill(KxDbDatabase* db) {
        auto* first = new TestDbObject;
        auto* second = new TestDbObject;
        auto* orphan = new TestDbObject;
        const KxDbObjectId one = add(db, first);
        const KxDbObjectId two = add(db, second);
        const KxDbObjectId gone = add(db, new TestDbObject);
        add(db, orphan);
        first->count = -3;
        first->big = -(std::int64_t{1} << 50);
        first->width = 2.5;
        first->shown = true;
        first->label = L"plate \u00e9";
        first->link = two;
        second->link = one;
        orphan->link = gone;
        db->erase(gone);
        auto* outline = new KxDbPolyline;
        auto* hole = new KxDbCircle;
        add(db, outline);
        add(db, hole);
        KxDbObject* open = nullptr;
        kxdbOpenObject(open, outline->objectId(), KxDb::kForWrite);
        outline->setPoints({{0, 0}, {10, 0}, {10, 5}}, true);
        open->close();
        kxdbOpenObject(open, hole->objectId(), KxDb::kForWrite);
        hole->set({5, 2.5}, 1.25);
        open->close();
    }
    static std::string written(const KxDbDatabase* db) {
        std::string bytes, message;
        EXPECT_EQ(kxdbWriteDrawing(*db, bytes, message), Lumo::eOk) << message;
        return bytes;
    }

    ScratchFolder scratch;
    const fs::path dir = scratch.path();
    const std::string path = (dir / "plate.kxd").string();
    KxApDocument* doc = kxDocManagerPtr()->newDocument(L"plate");
    std::string message;
};

TEST_F(DrawingFile, SaveOpenSaveGivesTheSameBytesAndKeepsObjectsLinksAndSystemVariables) {
    fill(doc->database());
    setSysVar(L"LUPREC", 6);
    setSysVar(L"AUNITS", 3);
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;
    EXPECT_FALSE(doc->isModified());
    const std::string first = contents(path);
    EXPECT_FALSE(fs::exists(path + ".bak")); // nothing was there before

    kxedResetSysVars();
    KxApDocument* other = kxDocManagerPtr()->newDocument(L"other");
    ASSERT_EQ(other->open(path, message), Lumo::eOk) << message;
    EXPECT_EQ(other->path(), path);
    EXPECT_FALSE(other->isModified());
    KxResBuf value;
    kxedGetVar(L"LUPREC", &value);
    EXPECT_EQ(value.resval.rint, 6);
    const std::vector<KxDbObjectId> ids = other->database()->objectIds();
    ASSERT_EQ(ids.size(), 5u); // the erased object is not saved
    const TestDbObject* one = thing(ids[0]);
    EXPECT_EQ(one->count, -3);
    EXPECT_EQ(one->big, -(std::int64_t{1} << 50));
    EXPECT_EQ(one->width, 2.5);
    EXPECT_TRUE(one->shown);
    EXPECT_EQ(one->label, L"plate \u00e9");
    EXPECT_EQ(one->link, ids[1]);
    EXPECT_EQ(thing(ids[1])->link, ids[0]);
    EXPECT_TRUE(thing(ids[2])->link.isNull());
    KxDbEntity* entity = nullptr;
    ASSERT_EQ(kxdbOpenObject(entity, ids[3], KxDb::kForRead), Lumo::eOk);
    EXPECT_EQ(static_cast<KxDbPolyline*>(entity)->points().size(), 3u);
    EXPECT_TRUE(static_cast<KxDbPolyline*>(entity)->isClosed());
    entity->close();

    const std::string again = (dir / "again.kxd").string();
    ASSERT_EQ(other->save(again, message), Lumo::eOk) << message;
    EXPECT_EQ(contents(again), first);

    // Saving over it keeps the previous file beside it; an empty path saves to the document's own
    // file, the one it saved last.
    thing(ids[0]); // an open for read is no change
    EXPECT_FALSE(other->isModified());
    setSysVar(L"LUPREC", 6); // the same units
    EXPECT_FALSE(other->isModified());
    setSysVar(L"LUPREC", 3); // the file keeps the units it was saved with
    EXPECT_TRUE(other->isModified());
    setSysVar(L"LUPREC", 6);
    other->beginCommand(L"Erase");
    other->database()->erase(ids[4]);
    other->endCommand();
    ASSERT_EQ(other->save("", message), Lumo::eOk) << message;
    EXPECT_EQ(contents(again + ".bak"), first);
    EXPECT_NE(contents(again), first);
    KxApDocument* unnamed = kxDocManagerPtr()->newDocument(L"unnamed");
    EXPECT_EQ(unnamed->save("", message), Lumo::eInvalidInput);
}

// Draws into the drawing each time one is read or cleared, as a module that derives objects does.
struct Rebuilder : KxDbDatabaseReactor {
    void drawingRead(KxDbDatabase* database) override {
        ++reads;
        KxDbObjectId id;
        database->addObject(new TestDbObject, id);
    }
    int reads = 0;
};

TEST_F(DrawingFile, WhatReactorsRebuildOnReadingIsPartOfTheDrawingReadAndANewDrawingIsEmpty) {
    KxDbDatabase* db = doc->database();
    fill(db);
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;
    Rebuilder rebuilder;
    db->addReactor(&rebuilder);
    ASSERT_EQ(doc->open(path, message), Lumo::eOk) << message;
    EXPECT_EQ(rebuilder.reads, 1);
    EXPECT_EQ(db->objectCount(), 6); // five read and one rebuilt
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(db->undoCount(), 0);

    // A new drawing is refused while an object is open, and then changes nothing.
    KxDbObject* open = nullptr;
    ASSERT_EQ(kxdbOpenObject(open, db->objectIds()[0], KxDb::kForRead), Lumo::eOk);
    EXPECT_EQ(doc->newDrawing(message), Lumo::eWasOpenForRead);
    EXPECT_THAT(message, HasSubstr("open"));
    open->close();
    EXPECT_EQ(db->objectCount(), 6);
    EXPECT_EQ(doc->path(), path);

    ASSERT_EQ(doc->newDrawing(message), Lumo::eOk) << message;
    EXPECT_EQ(rebuilder.reads, 2);
    EXPECT_EQ(db->objectCount(), 1);
    EXPECT_TRUE(doc->path().empty());
    EXPECT_FALSE(doc->isModified());

    // What a program draws into every new drawing is its start: no change, nothing to undo.
    doc->beginCommand(L"Add");
    add(db, new TestDbObject);
    doc->endCommand();
    add(db, new TestDbObject); // outside a command: not undoable, a change all the same
    EXPECT_TRUE(doc->isModified());
    db->forgetUndoHistory();
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(doc->undo(), Lumo::eNothingToUndo);
    db->removeReactor(&rebuilder);
}

TEST_F(DrawingFile, AFailureAtAnyStepOfASaveLeavesTheOldFileAndNoTemporaryOne) {
    fill(doc->database());
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;
    const std::string old = contents(path);
    doc->beginCommand(L"Erase");
    doc->database()->erase(doc->database()->objectIds().back());
    doc->endCommand();
    // The steps of such a save over a file, counted on a drawing of as many objects.
    KxDbDatabase twin;
    fill(&twin);
    twin.erase(twin.objectIds().back());
    const std::string probe = (dir / "probe.kxd").string();
    ASSERT_EQ(kxdbSaveDrawing(twin, probe, message), Lumo::eOk) << message;
    kxFailFileWrite(0);
    ASSERT_EQ(kxdbSaveDrawing(twin, probe, message), Lumo::eOk) << message;
    const int steps = kxFileWritesSoFar();
    // One write for a file this small; flush and close; the backup; the rename.
    EXPECT_EQ(steps, 1 + 2 + 4 + 1);

    for (int step = 1; step <= steps; ++step) {
        kxFailFileWrite(step);
        EXPECT_EQ(doc->save(path, message), Lumo::eFileError) << "step " << step;
        EXPECT_THAT(message, HasSubstr("no space left"));
        EXPECT_EQ(contents(path), old) << "step " << step;
        for (const auto& entry : fs::directory_iterator(dir)) {
            EXPECT_NE(entry.path().extension(), ".tmp") << "step " << step;
        }
        EXPECT_TRUE(doc->isModified());
    }
    kxFailFileWrite(0);
    // A copy, as a recovery file is, leaves the drawing unsaved.
    const std::string copy = (dir / "copy.kxd").string();
    ASSERT_EQ(kxdbSaveDrawingCopy(*doc->database(), copy, message), Lumo::eOk) << message;
    EXPECT_EQ(contents(copy), written(doc->database()));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->save((dir / "missing" / "plate.kxd").string(), message), Lumo::eFileError);
    EXPECT_THAT(message, HasSubstr("cannot create"));
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DrawingFile, AFolderWithoutWritePermissionIsReportedAndLeftEmpty) {
    const fs::path locked = dir / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream((locked / "probe").string()).is_open()) {
        GTEST_SKIP() << "this user writes into read-only folders, as root does";
    }
    EXPECT_EQ(doc->save((locked / "plate.kxd").string(), message), Lumo::eFileError);
    EXPECT_THAT(message, HasSubstr("cannot create"));
    EXPECT_TRUE(fs::is_empty(locked));
}

TEST_F(DrawingFile, EveryCutAndEveryChangedByteIsRefusedWithAReasonAndChangesNothing) {
    KxDbDatabase source;
    add(&source, new TestDbObject);
    add(&source, new KxDbCircle);
    const std::string bytes = written(&source);
    KxDbDatabase* db = doc->database();
    fill(db);
    const std::string before = written(db);
    const bool modified = db->isModified();

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_EQ(kxdbReadDrawing(*db, bytes.substr(0, size), message), Lumo::eEndOfFile) << size;
        EXPECT_THAT(message, HasSubstr("truncated"));
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] + 1);
        message.clear();
        EXPECT_NE(kxdbReadDrawing(*db, changed, message), Lumo::eOk) << at;
        EXPECT_FALSE(message.empty());
    }
    EXPECT_EQ(kxdbReadDrawing(*db, bytes + "x", message), Lumo::eBadFileFormat);
    EXPECT_EQ(kxdbReadDrawing(*db, "PK\x03\x04 not a drawing", message), Lumo::eBadFileFormat);
    EXPECT_EQ(message, "not a drawing file");
    std::string damaged = bytes;
    damaged[40] = static_cast<char>(damaged[40] ^ 1);
    EXPECT_EQ(kxdbReadDrawing(*db, damaged, message), Lumo::eBadChecksum);
    EXPECT_EQ(written(db), before);
    EXPECT_EQ(db->isModified(), modified);
    EXPECT_EQ(db->objectIds().size(), 5u);

    // The database is not replaced while an object is open or a command holds changes.
    KxDbObject* held = nullptr;
    kxdbOpenObject(held, db->objectIds()[0], KxDb::kForRead);
    EXPECT_EQ(kxdbReadDrawing(*db, bytes, message), Lumo::eWasOpenForRead);
    held->close();
    db->beginUndoGroup(L"Erase");
    db->erase(db->objectIds()[0]);
    EXPECT_EQ(kxdbReadDrawing(*db, bytes, message), Lumo::eUndoGroupOpen);
    EXPECT_EQ(kxdbWriteDrawing(*db, damaged, message), Lumo::eUndoGroupOpen);
    db->endUndoGroup();
    EXPECT_EQ(doc->open((dir / "missing.kxd").string(), message), Lumo::eFileError);
    EXPECT_THAT(message, HasSubstr("no such file"));
    EXPECT_EQ(kxdbReadDrawing(*db, bytes, message), Lumo::eOk) << message;
    EXPECT_EQ(db->objectIds().size(), 2u);
}

TEST_F(DrawingFile, NewerFilesAndClassesAreRefusedAndUnknownClassesSurviveUnchanged) {
    KxDbDatabase* db = doc->database();
    fill(db);
    const std::string bytes = written(db);
    KxDbDatabase target;
    std::string needsNewer = bytes;
    needsNewer[12] = 2; // the lowest reader version
    EXPECT_EQ(kxdbReadDrawing(target, resealed(needsNewer), message), Lumo::eNewerVersion);
    EXPECT_THAT(message, HasSubstr("needs a reader of version 2"));
    std::string badUnits = bytes;
    const std::size_t luprec = 24 + 4 + std::strlen(KxDbDrawing::kProgramVersion) + 8 + 2;
    badUnits[luprec] = 12;
    EXPECT_EQ(kxdbReadDrawing(target, resealed(badUnits), message), Lumo::eBadFileFormat);
    EXPECT_THAT(message, HasSubstr("LUPREC of 12"));
    // A last handle at the top of the range: the next object added would get handle 0.
    std::string noRoom = bytes;
    std::fill_n(noRoom.begin() + static_cast<std::ptrdiff_t>(luprec) - 10, 8, '\xff');
    EXPECT_EQ(kxdbReadDrawing(target, resealed(noRoom), message), Lumo::eBadFileFormat);
    EXPECT_THAT(message, HasSubstr("leaves no room for new objects"));
    KxDbDatabase future;
    add(&future, new FutureObject);
    EXPECT_EQ(kxdbReadDrawing(target, written(&future), message), Lumo::eNewerVersion);
    EXPECT_THAT(message, HasSubstr("version 3; this program reads up to 2"));
    EXPECT_EQ(target.objectCount(), 0);

    // A class that is not registered is not written: the file could not be read back.
    KxDbDatabase stray;
    add(&stray, new Unregistered);
    std::string refused;
    EXPECT_EQ(kxdbWriteDrawing(stray, refused, message), Lumo::eUnknownClass);
    EXPECT_THAT(message, HasSubstr("class Unregistered"));
    EXPECT_TRUE(refused.empty());

    // A class withdrawn leaves stand-ins under the same ids that write the same bytes, mandatory
    // flag and all, and that undo takes back like the objects they stand for.
    const KxDbObjectId first = db->objectIds()[0];
    db->beginUndoGroup(L"Set width");
    KxDbObject* open = nullptr;
    ASSERT_EQ(kxdbOpenObject(open, first, KxDb::kForWrite), Lumo::eOk);
    static_cast<TestDbObject*>(open)->width = 9.0;
    open->close();
    db->endUndoGroup();
    const std::string changed = written(db);
    kxdbUnregisterClass(L"TestDbObject");
    ASSERT_EQ(kxdbOpenObject(open, first, KxDb::kForRead), Lumo::eOk);
    EXPECT_EQ(dynamic_cast<TestDbObject*>(open), nullptr);
    EXPECT_STREQ(open->className(), L"TestDbObject");
    open->close();
    EXPECT_EQ(written(db), changed);
    ASSERT_EQ(db->undo(), Lumo::eOk);
    EXPECT_EQ(written(db), bytes);
    // A reader that does not know a mandatory class refuses the file.
    EXPECT_EQ(kxdbReadDrawing(target, bytes, message), Lumo::eUnknownClass);
    EXPECT_THAT(message, HasSubstr("class TestDbObject"));

    // Not mandatory: kept as read, links and all, and written back byte for byte.
    kxdbRegisterClass(L"TestDbObject", TestDbObject::make, false);
    KxDbDatabase optionalSource;
    fill(&optionalSource);
    const std::string optional = written(&optionalSource);
    kxdbUnregisterClass(L"TestDbObject");
    ASSERT_EQ(kxdbReadDrawing(target, optional, message), Lumo::eOk) << message;
    EXPECT_EQ(written(&target), optional);
    // Undo and redo take back what happens to them like any other object.
    target.beginUndoGroup(L"Erase");
    target.erase(target.objectIds()[0]);
    target.endUndoGroup();
    ASSERT_EQ(target.undo(), Lumo::eOk);
    EXPECT_EQ(written(&target), optional);
    kxdbRegisterClass(L"TestDbObject", TestDbObject::make, true);
}

TEST(ClassRegistry, RegistersOnceWithdrawsAndKeepsTheHostsOwnClasses) {
    EXPECT_EQ(kxdbRegisterClass(nullptr, TestDbObject::make, false), Lumo::eNullPtr);
    EXPECT_EQ(kxdbRegisterClass(L"X", nullptr, false), Lumo::eNullPtr);
    EXPECT_EQ(kxdbRegisterClass(L"", TestDbObject::make, false), Lumo::eInvalidInput);
    EXPECT_EQ(kxdbRegisterClass(L"X", TestDbObject::make, false), Lumo::eOk);
    EXPECT_EQ(kxdbRegisterClass(L"X", TestDbObject::make, true), Lumo::eDuplicateKey);
    EXPECT_FALSE(kxdbIsClassMandatory(L"X"));
    delete kxdbCreateObject(L"X");
    EXPECT_EQ(kxdbUnregisterClass(L"X"), Lumo::eOk);
    EXPECT_EQ(kxdbUnregisterClass(L"X"), Lumo::eKeyNotFound);
    EXPECT_EQ(kxdbCreateObject(L"X"), nullptr);
    EXPECT_EQ(kxdbUnregisterClass(L"KxDbCircle"), Lumo::eNotAllowed);
    std::unique_ptr<KxDbObject> circle(kxdbCreateObject(L"KxDbCircle"));
    EXPECT_STREQ(circle->className(), L"KxDbCircle");
}

} // namespace
