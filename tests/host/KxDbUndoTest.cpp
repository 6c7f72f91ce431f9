#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbClassRegistry.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbObjectReactor.h"
#include "host/KxEdEditor.h"
#include "support/HostSession.h"
#include "support/ScratchFolder.h"
#include "support/TestDbObject.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Writes down every notice, naming objects by their label.
struct Log : KxDbObjectReactor, KxDbDatabaseReactor {
    static std::string label(const KxDbObject* object) {
        return static_cast<const TestDbObject*>(object)->label.toUtf8();
    }
    void modified(const KxDbObject* object) override {
        lines.push_back(label(object) + " modified");
    }
    void erased(const KxDbObject* object) override { lines.push_back(label(object) + " erased"); }
    void unerased(const KxDbObject* object) override {
        lines.push_back(label(object) + " unerased");
    }
    void undoApplied(KxDbDatabase*, const KxString& name) override {
        lines.push_back("undo " + name.toUtf8());
    }
    void redoApplied(KxDbDatabase*, const KxString& name) override {
        lines.push_back("redo " + name.toUtf8());
    }
    Lines take() { return std::exchange(lines, {}); }
    Lines lines;
};

struct Undo : HostSession {
    Undo() { kxdbRegisterClass(L"TestDbObject", TestDbObject::make, true); }
    ~Undo() override { kxdbUnregisterClass(L"TestDbObject"); }

    KxApDocument* doc = kxDocManagerPtr()->newDocument(L"drawing");
    KxDbDatabase* db = doc->database();

    KxDbObjectId add(const wchar_t* label, KxDbObjectReactor* reactor = nullptr) {
        auto* object = new TestDbObject;
        object->label = label;
        object->width = 1.0;
        object->addReactor(reactor);
        KxDbObjectId id;
        EXPECT_EQ(db->addObject(object, id), Lumo::eOk);
        return id;
    }
    static TestDbObject* object(KxDbObjectId id) {
        KxDbObject* found = nullptr;
        EXPECT_EQ(kxdbOpenObject(found, id, KxDb::kForRead, true), Lumo::eOk);
        found->close();
        return static_cast<TestDbObject*>(found);
    }
    static void setWidth(KxDbObjectId id, double width) {
        KxDbObject* found = nullptr;
        ASSERT_EQ(kxdbOpenObject(found, id, KxDb::kForWrite), Lumo::eOk);
        static_cast<TestDbObject*>(found)->width = width;
        found->close();
    }
    void command(const wchar_t* name, KxDbObjectId id, double width) {
        ASSERT_EQ(doc->beginCommand(name), Lumo::eOk);
        setWidth(id, width);
        ASSERT_EQ(doc->endCommand(), Lumo::eOk);
    }
};

TEST_F(Undo, UndoAndRedoRestoreModifyAddAndEraseThenTellObjectsBackwardsAndTheDatabaseLast) {
    Log log;
    const KxDbObjectId a = add(L"a", &log);
    const KxDbObjectId c = add(L"c", &log);
    db->addReactor(&log);
    EXPECT_EQ(doc->undo(), Lumo::eNothingToUndo);
    EXPECT_EQ(doc->redo(), Lumo::eNothingToRedo);

    doc->beginCommand(L"Set width");
    setWidth(a, 2.0);
    setWidth(a, 3.0); // recorded once: undo goes back to before the first change
    const KxDbObjectId b = add(L"b", &log);
    ASSERT_EQ(db->erase(c), Lumo::eOk);
    doc->endCommand();
    EXPECT_EQ(db->undoName(), L"Set width");
    EXPECT_TRUE(log.take().empty());

    ASSERT_EQ(doc->undo(), Lumo::eOk);
    EXPECT_EQ(log.take(), (Lines{"c unerased", "b erased", "a modified", "undo Set width"}));
    EXPECT_EQ(object(a)->width, 1.0);
    EXPECT_FALSE(b.isValid()); // kept, erased: its id still names it
    EXPECT_EQ(object(b)->label, L"b");
    EXPECT_TRUE(c.isValid());
    EXPECT_EQ(db->undoCount(), 0); // no group recorded by the undo itself
    EXPECT_EQ(db->redoName(), L"Set width");

    ASSERT_EQ(doc->redo(), Lumo::eOk);
    EXPECT_EQ(log.take(), (Lines{"a modified", "b unerased", "c erased", "redo Set width"}));
    EXPECT_EQ(object(a)->width, 3.0);
    EXPECT_TRUE(b.isValid());
    EXPECT_FALSE(c.isValid());
    EXPECT_EQ(doc->redo(), Lumo::eNothingToRedo);

    // An object held open for write stops undo before anything changes.
    KxDbObject* held = nullptr;
    ASSERT_EQ(kxdbOpenObject(held, a, KxDb::kForWrite), Lumo::eOk);
    EXPECT_EQ(doc->undo(), Lumo::eWasOpenForWrite);
    held->close();
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(db->undoCount(), 1);
    db->removeReactor(&log);
}

TEST_F(Undo, CommandsAndNestedModelessBracketsMakeOneGroupAndUndoWaitsForTheirEnd) {
    const KxDbObjectId a = add(L"a");
    doc->beginCommand(L"Set width");
    kxedSendModelessOperationStart(L"PARAMETERS");
    setWidth(a, 2.0);
    EXPECT_EQ(doc->undo(), Lumo::eUndoGroupOpen);
    EXPECT_EQ(doc->redo(), Lumo::eUndoGroupOpen);
    EXPECT_EQ(object(a)->width, 2.0);
    kxedSendModelessOperationEnded(L"");
    EXPECT_EQ(db->undoGroupDepth(), 1);
    doc->endCommand();
    EXPECT_EQ(db->undoCount(), 1);
    EXPECT_EQ(db->undoName(), L"Set width");

    // A bracket of its own is named after its context; brackets inside it join it.
    kxedSendModelessOperationStart(L"PARAMETERS");
    kxedSendModelessOperationStart(L"inner");
    setWidth(a, 3.0);
    kxedSendModelessOperationEnded(L"");
    kxedSendModelessOperationEnded(L"");
    EXPECT_EQ(db->undoCount(), 2);
    EXPECT_EQ(db->undoName(), L"PARAMETERS");

    // Empty groups are dropped and leave what can be redone.
    ASSERT_EQ(doc->undo(), Lumo::eOk);
    doc->beginCommand(L"Nothing");
    kxedSendModelessOperationStart(L"");
    kxedSendModelessOperationEnded(L"");
    doc->endCommand();
    EXPECT_EQ(db->undoCount(), 1);
    EXPECT_EQ(db->redoCount(), 1);
    EXPECT_EQ(doc->endCommand(), Lumo::eNoUndoGroup);

    // A bracket ends on the database it began on, whichever document is current then.
    kxedSendModelessOperationStart(L"PARAMETERS");
    KxApDocument* other = kxDocManagerPtr()->newDocument(L"other");
    kxedSendModelessOperationEnded(L"");
    EXPECT_EQ(db->undoGroupDepth(), 0);
    EXPECT_EQ(other->database()->undoGroupDepth(), 0);
    // A new group drops what could be redone.
    command(L"Set width", a, 4.0);
    EXPECT_EQ(db->redoCount(), 0);
    EXPECT_EQ(db->undoCount(), 2);
}

TEST_F(Undo, TheCleanMarkFollowsUndoAndRedoAndTrimmingNeverBringsAnOldSaveBack) {
    const KxDbObjectId a = add(L"a");
    const ScratchFolder scratch;
    const std::string path = scratch.file("plate.kxd");
    std::string message;
    command(L"w1", a, 2.0);
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;
    command(L"w2", a, 3.0);
    // Each step (undo or redo) and whether the drawing differs from the saved one after it.
    const std::pair<bool, bool> steps[] = {
        {true, false}, {true, true}, {false, false}, {false, true}, {true, false}};
    for (const auto& [undoing, modified] : steps) {
        ASSERT_EQ(undoing ? doc->undo() : doc->redo(), Lumo::eOk);
        EXPECT_EQ(doc->isModified(), modified);
    }
    // A new group drops the redo that led back there: the saved state is behind us now.
    command(L"w3", a, 4.0);
    ASSERT_EQ(doc->undo(), Lumo::eOk);
    EXPECT_FALSE(doc->isModified()); // w1 is done, as it was when saved
    ASSERT_EQ(doc->redo(), Lumo::eOk);

    // One group at most: w1 and w3 go, and with them the way back to the saved state.
    db->setUndoLimits(db->undoMemoryLimit(), 1);
    command(L"w4", a, 5.0);
    EXPECT_EQ(db->undoCount(), 1);
    while (doc->undo() == Lumo::eOk) {
        EXPECT_TRUE(doc->isModified());
    }
    EXPECT_EQ(object(a)->width, 4.0);

    // Memory bounds the history too: the oldest groups go first.
    db->setUndoLimits(std::size_t{1} << 20, 10);
    command(L"w5", a, 6.0);
    command(L"w6", a, 7.0);
    db->setUndoLimits(db->undoMemory() - 1, 10);
    EXPECT_EQ(db->undoCount(), 1);
    EXPECT_EQ(db->undoName(), L"w6");
    EXPECT_LE(db->undoMemory(), db->undoMemoryLimit());
    db->setUndoLimits(0, 10);
    EXPECT_EQ(db->undoCount() + db->redoCount(), 0);
    EXPECT_EQ(db->undoMemory(), 0u);

    // A change outside any group cannot be undone: the saved state is out of reach.
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;
    setWidth(a, 6.0);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(db->undoCount(), 0);

    // New databases take the host's default bounds.
    KxDbDatabase::setDefaultUndoLimits(1234, 5);
    KxDbDatabase bounded;
    EXPECT_EQ(bounded.undoMemoryLimit(), 1234u);
    EXPECT_EQ(bounded.undoGroupLimit(), 5);
    KxDbDatabase::setDefaultUndoLimits(std::size_t{64} << 20, 1000);
}

TEST(Filer, ReadsWhatItWroteAndRefusesWrongTypesShortReadsAndBrokenFieldsWithAStatus) {
    KxDbFiler writer;
    writer.writeInt32(-7);
    writer.writeInt64(std::int64_t{1} << 40);
    writer.writeDouble(-0.5);
    writer.writeBool(true);
    writer.writeText(L"\u00e9t\u00e9");
    writer.writeObjectId(KxDbObjectId(42));
    std::int32_t count = 0;
    EXPECT_EQ(writer.readInt32(count), Lumo::eNotAllowed);
    const std::string whole = writer.bytes();

    KxDbFiler reader(whole);
    std::int64_t big = 0;
    double width = 0;
    bool shown = false;
    KxString text;
    KxDbObjectId id;
    EXPECT_EQ(reader.writeInt32(1), Lumo::eNotAllowed);
    EXPECT_EQ(reader.readInt32(count), Lumo::eOk);
    EXPECT_EQ(reader.nextFieldType(), KxDbFiler::FieldType::kInt64);
    EXPECT_EQ(reader.readInt64(big), Lumo::eOk);
    EXPECT_EQ(reader.readDouble(width), Lumo::eOk);
    EXPECT_EQ(reader.readBool(shown), Lumo::eOk);
    EXPECT_EQ(reader.readText(text), Lumo::eOk);
    EXPECT_EQ(reader.readObjectId(id), Lumo::eOk);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(count, -7);
    EXPECT_EQ(big, std::int64_t{1} << 40);
    EXPECT_EQ(width, -0.5);
    EXPECT_TRUE(shown);
    EXPECT_EQ(text, L"\u00e9t\u00e9");
    EXPECT_EQ(id, KxDbObjectId(42));

    // Each broken input, read as an int32 after the fields before it, and what the read says.
    const std::string int32Field = whole.substr(0, 5);
    const struct {
        std::string bytes;
        Lumo::ErrorStatus status;
        const char* message;
    } cases[] = {
        {whole.substr(5), Lumo::eWrongFieldType, "a 32-bit integer was asked, a 64-bit"},
        {"", Lumo::eEndOfFile, "no field is left"},
        {int32Field.substr(0, 4), Lumo::eEndOfFile, "cut short"},
        {std::string("\x09", 1) + int32Field, Lumo::eBadFileFormat, "unknown field type 9"},
    };
    for (const auto& broken : cases) {
        KxDbFiler filer(broken.bytes);
        count = 99;
        EXPECT_EQ(filer.readInt32(count), broken.status) << broken.message;
        EXPECT_NE(filer.message().find(broken.message), std::string::npos) << filer.message();
        EXPECT_EQ(count, 99);
        EXPECT_EQ(filer.status(), broken.status); // and it sticks
        EXPECT_EQ(filer.readInt32(count), broken.status);
    }
    const std::string bool2("\x04\x02", 2);
    const std::string notUtf8("\x05\x02\x00\x00\x00\xc3\x28", 7);
    const std::string cutText("\x05\x09\x00\x00\x00\x41", 6);
    KxDbFiler badBool(bool2), badText(notUtf8), shortText(cutText);
    EXPECT_EQ(badBool.readBool(shown), Lumo::eBadFileFormat);
    EXPECT_EQ(badText.readText(text), Lumo::eBadFileFormat);
    EXPECT_EQ(shortText.readText(text), Lumo::eEndOfFile);
    EXPECT_EQ(text, L"\u00e9t\u00e9");
}

} // namespace
