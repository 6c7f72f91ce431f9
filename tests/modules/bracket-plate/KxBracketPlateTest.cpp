// The sample provider where the shell cannot take it: what reactors hear, input of the wrong type,
// its drawing, and its module. What a user sees of its rules is in the shell's transcripts.

#include "KxBracketPlate.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "manager/KxParameterManager.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/HostSession.h"
#include "support/ModuleAccess.h"
#include "support/TestParameter.h"
#include "testkit/KxRecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The bracket plate on a fresh host, with a recording reactor on every parameter.
struct Plate : HostSession {
    EventLog log;
    std::vector<std::unique_ptr<RecordingReactor>> reactors;
    KxBracketPlate plate;
    KxPlateCollection& collection = plate.collection();

    Plate() {
        for (KxParameter* parameter : collection.getParameters()) {
            reactors.push_back(std::make_unique<RecordingReactor>(utf8(parameter->getName()), log));
            parameter->addReactor(reactors.back().get());
        }
    }
    KxPlateParameter& at(const wchar_t* name) { return *collection.find(name); }
    EventLog take() { return std::exchange(log, {}); }
};

TEST_F(Plate, ReactorsHearTheChangeThenItsDependentsAndTheUsersItGainsOrLoses) {
    EXPECT_EQ(at(L"width").setExpression(L"150"), Lumo::eOk);
    EXPECT_EQ(at(L"height").setExpression(L"thickness * 10"), Lumo::eOk);
    EXPECT_EQ(at(L"width").setName(L"w"), Lumo::eOk);
    EXPECT_THAT(take(),
                ElementsAre("width: expressionWillChange 150", "height: parameterModified",
                            "spacing: parameterModified", "width: expressionChanged 150",
                            "height: expressionWillChange thickness * 10",
                            "width: parameterModified", "thickness: parameterModified",
                            "height: expressionChanged thickness * 10", "width: nameWillChange w",
                            "spacing: parameterModified", "width: nameChanged w"));
    // An empty expression is refused like any other.
    EXPECT_EQ(at(L"hole_count").setExpression(L""), Lumo::eInvalidInput);
    EXPECT_EQ(take().back(), "hole_count: modificationFailed 3 [not a valid expression: \"\"] []");

    // Deleting tells the parameters that lost a user, and erases the entities.
    KxDbObjectId entity;
    at(L"spacing").getEntityId(entity);
    collection.deleteParameters(parameterList({&at(L"hole_diameter"), &at(L"spacing")}));
    EXPECT_FALSE(entity.isValid());
    EXPECT_THAT(take(), ElementsAre("width: parameterModified", "thickness: parameterModified",
                                    "hole_count: parameterModified"));
}

TEST_F(Plate, RefusesValuesOfAnotherTypeAndNamesOfParametersNotYetAdded) {
    TestProperty tolerance(L"tolerance"), description(L"description");
    tolerance.value() = L"0.2";
    description.value() = 7.0;
    EXPECT_EQ(at(L"width").setProperty(tolerance), Lumo::eInvalidInput);
    EXPECT_EQ(at(L"width").setProperty(description), Lumo::eInvalidInput);
    EXPECT_THAT(take(), ElementsAre("width: propertyWillChange tolerance",
                                    "width: modificationFailed 3 [tolerance takes a number] []",
                                    "width: propertyWillChange description",
                                    "width: modificationFailed 3 [description takes a text] []"));
    // A parameter made but not yet added holds its name, and cannot be named yet.
    KxParameter *first = nullptr, *second = nullptr;
    collection.createParameter(first);
    collection.createParameter(second);
    EXPECT_EQ(second->getName(), KxString(L"param2"));
    EXPECT_EQ(first->setName(L"param2"), Lumo::eDuplicateKey);
    EXPECT_EQ(first->setExpression(L"param2"), Lumo::eKeyNotFound);
}

TEST_F(Plate, DrawsInANewDocumentAndHighlightsItsEntities) {
    KxApDocument* document = kxDocManagerPtr()->curDocument();
    EXPECT_EQ(document->name(), KxString(L"Plate"));
    // The plate, its seven dimensions and four holes; the plate's record and one for each
    // dimension.
    EXPECT_EQ(document->database()->objectCount(), 12 + 1 + 7);
    KxDbObjectId id;
    at(L"height").getEntityId(id);
    EXPECT_EQ(at(L"height").highlight(true, false), Lumo::eOk);
    KxDbEntity* entity = nullptr;
    ASSERT_EQ(kxdbOpenObject(entity, id, KxDb::kForRead), Lumo::eOk);
    entity->close();
    EXPECT_THAT(entity->highlights(),
                ElementsAre(KxDbHighlight{KxDbFullSubentPath(id, KxDbSubentId()),
                                          kKxGiHighlightDashedThick}));
}

// The entity as a view reads it, or null when it is not of that kind.
template <class Entity>
const Entity* peek(const KxDbObjectId& id) {
    KxDbEntity* entity = nullptr;
    if (kxdbOpenObject(entity, id, KxDb::kForRead) != Lumo::eOk) {
        return nullptr;
    }
    entity->close();
    return dynamic_cast<const Entity*>(entity);
}

MATCHER_P2(At, x, y, "") {
    return std::abs(arg.x - x) < 1e-9 && std::abs(arg.y - y) < 1e-9;
}

TEST_F(Plate, DrawingFollowsEditsOfItsDimensionsUnderAnyNameAndNotRefusedOnes) {
    KxDbDatabase& database = *kxDocManagerPtr()->curDocument()->database();
    const KxDbPolyline& outline = *peek<KxDbPolyline>(database.objectIds().front());
    const auto line = [&](KxParameter& parameter) {
        KxDbObjectId id;
        parameter.getEntityId(id);
        return peek<KxDbPolyline>(id)->points();
    };
    const auto holes = [&] {
        std::vector<KxGePoint2d> centres;
        for (const KxDbObjectId& id : database.objectIds()) {
            if (const auto* circle = peek<KxDbCircle>(id); circle && circle->radius() == 4.5) {
                centres.push_back(circle->center());
            }
        }
        return centres;
    };
    // Width 200 makes the height 100 and the chamfers 20 by 20 (45 degrees).
    EXPECT_EQ(at(L"width").setExpression(L"200"), Lumo::eOk);
    EXPECT_TRUE(outline.isClosed());
    EXPECT_THAT(outline.points(), ElementsAre(At(0, 0), At(200, 0), At(200, 80), At(180, 100),
                                              At(20, 100), At(0, 80)));
    EXPECT_THAT(line(at(L"width")), ElementsAre(At(0, -20), At(200, -20)));
    EXPECT_THAT(holes(), ElementsAre(At(9, 13.5), At(69.666666666666671, 13.5),
                                     At(130.33333333333334, 13.5), At(191, 13.5)));
    EXPECT_EQ(line(at(L"hole_count")), holes());
    for (const auto& [count, left] : {std::pair{L"2", 2}, {L"0", 0}, {L"2", 2}}) {
        EXPECT_EQ(at(L"hole_count").setExpression(count), Lumo::eOk);
        EXPECT_EQ(holes().size(), left) << count;
    }
    // A renamed dimension keeps drawing what it measures; a refused edit changes nothing.
    EXPECT_EQ(at(L"width").setName(L"w"), Lumo::eOk);
    EXPECT_EQ(at(L"w").setExpression(L"150"), Lumo::eOk);
    EXPECT_THAT(line(at(L"w")), ElementsAre(At(0, -15), At(150, -15)));
    const std::uint64_t revision = database.revision();
    EXPECT_EQ(at(L"hole_count").setExpression(L"1"), Lumo::eInvalidInput); // spacing / 0
    EXPECT_EQ(database.revision(), revision);
    // A plate without a drawing draws nothing, quietly.
    KxPlateCollection undrawn(L"nowhere", nullptr);
    undrawn.drawing().assign(KxPlateDrawing::Role::kHoleCount,
                             *undrawn.define(L"n", L"3", KxPlateParameter::Kind::kNumber, L"", 0));
    EXPECT_TRUE(undrawn.evaluateAll());
}

// The provider as the host loads it, with a recording palette in place of the console one that
// the manager loads from the same directory.
struct PlateModule : HostSession {
    static constexpr const wchar_t* kModule = L"KxBracketPlate.dlx";
    KxRecordingPalette palette;
    KxParameterManager* manager = nullptr;

    void SetUp() override {
        KxTestSession::unloadAllModules();
        ASSERT_TRUE(kxrxAddModuleDirectory(binDirectory()));
        connect();
    }
    void TearDown() override {
        KxTestSession::unloadAllModules();
        KxParameterManager::destroy();
        KxApParameterManagerESW::instance()->setHost(nullptr);
    }
    void connect() {
        manager = &KxParameterManager::getInstance();
        KxApParameterManagerESW::instance()->setHost(&palette);
        palette.mCalls.clear();
    }
};

TEST_F(PlateModule, LoadingPublishesThePlateAndUnloadingWithdrawsIt) {
    ASSERT_TRUE(kxrxLoadModule(kModule, false, true));
    ASSERT_EQ(manager->getCollections().length(), 1);
    EXPECT_EQ(manager->getActiveCollection(), manager->getCollections()[0]);
    EXPECT_NE(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(palette.names(),
                ElementsAre("repopulateGroupDataInUI", "SetImageListAndIndexPair", "setFilterLock",
                            "addParameterDataInUI", "addParameterDataInUI", "addParameterDataInUI",
                            "addParameterDataInUI", "addParameterDataInUI", "addParameterDataInUI",
                            "addParameterDataInUI", "setFilterLock", "activeCollectionChanged",
                            "repopulateGroupDataInUI", "hideFilterTree"));
    palette.mCalls.clear();
    EXPECT_TRUE(kxrxUnloadModule(kModule));
    EXPECT_THAT(manager->getCollections(), IsEmpty());
    EXPECT_EQ(manager->getActiveCollection(), nullptr);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(palette.names(),
                ElementsAre("deleteParameterDataInUI", "resetSearchPattern", "hideFilterTree"));
    EXPECT_EQ(kxDocManagerPtr()->curDocument()->database()->objectCount(), 0);

    // Unloaded after the manager is gone, it leaves quietly, and it comes back when loaded again.
    ASSERT_TRUE(kxrxLoadModule(kModule, false, true));
    KxParameterManager::destroy();
    EXPECT_TRUE(kxrxUnloadModule(kModule));
    connect();
    ASSERT_TRUE(kxrxLoadModule(kModule, false, true));
    EXPECT_EQ(manager->getCollections().length(), 1);
}

} // namespace
