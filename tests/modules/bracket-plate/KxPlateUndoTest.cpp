// The plate's definitions kept in the drawing: random edits undone and redone step by step, each
// step giving back the plate as it was, and a drawing saved, replaced and opened again.

#include "KxBracketPlate.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"
#include "host/KxEdEditor.h"
#include "kit/KxScopedRegistration.h"
#include "manager/KxParameterManager.h"
#include "shell/KxParameterTransfer.h"
#include "support/PaletteSession.h"
#include "support/ScratchFolder.h"
#include "support/TestParameter.h"
#include "testkit/KxRecordingPalette.h"
#include "util/KxParameterUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace Transfer = KxParameterTransfer;
using ::testing::ElementsAre;
using ::testing::StartsWith;

using State = std::vector<std::string>;

struct PlateUndo : PaletteSession {
    KxBracketPlate plate;
    KxPlateCollection& collection = plate.collection();
    KxPlateGroupCollection& groups = plate.groups();
    KxApDocument* doc = kxDocManagerPtr()->curDocument();
    KxDbDatabase* db = doc->database();
    std::mt19937 random;

    PlateUndo() {
        plate.connect();
        db->forgetUndoHistory();
    }

    // Everything a user can see of the plate: each parameter as the palette shows it (in any
    // order: one whose deletion is undone comes back last), the groups in order, the export and
    // the shapes drawn.
    State state() {
        State rows;
        KxArray<KxString> names;
        groups.getParameterGroups(names);
        for (KxParameter* parameter : collection.getParameters()) {
            std::ostringstream row;
            KxString text;
            parameter->getValueText(text);
            row << parameter->getName().toUtf8() << " = " << parameter->getExpression().toUtf8()
                << " -> " << text.toUtf8();
            parameter->getTypeName(text);
            row << " " << text.toUtf8();
            for (const KxParameterProperty* property : parameter->getProperties()) {
                row << " " << property->getName().toUtf8() << "="
                    << KxParameterUtil::evalVariantToString(property->value()).toUtf8();
            }
            KxParameter::GroupIndexList indexes;
            parameter->getGroupNameIndexes(indexes);
            row << " in";
            for (const short index : indexes) {
                for (const KxString& name : names) {
                    short found = -1;
                    if (groups.getGroupIndex(name, found) == Lumo::eOk && found == index) {
                        row << " " << name.toUtf8();
                    }
                }
            }
            KxDbObjectId entity;
            parameter->getEntityId(entity);
            row << (entity.isValid() ? " drawn" : " not drawn");
            rows.push_back(row.str());
        }
        std::string csv;
        Transfer::exportCsv(manager, csv);
        std::istringstream lines(csv);
        for (std::string line; std::getline(lines, line);) {
            rows.push_back("csv " + line);
        }
        for (const KxDbObjectId& id : db->objectIds()) {
            KxDbObject* object = nullptr;
            kxdbOpenObject(object, id, KxDb::kForRead);
            std::ostringstream shape;
            if (auto* polyline = dynamic_cast<KxDbPolyline*>(object)) {
                shape << "polyline";
                for (const KxGePoint2d& point : polyline->points()) {
                    shape << " " << point.x << "," << point.y;
                }
            } else if (auto* circle = dynamic_cast<KxDbCircle*>(object)) {
                shape << "circle " << circle->center().x << "," << circle->center().y << " r "
                      << circle->radius();
            }
            object->close();
            if (!shape.str().empty()) {
                rows.push_back(shape.str());
            }
        }
        std::sort(rows.begin(), rows.end());
        // The palette shows a row for each parameter: undo brings rows back and takes them away.
        int shown = 0;
        for (const KxRecordingPalette::Call& call : palette.mCalls) {
            if (call.name == "addParameterDataInUI") {
                ++shown;
            } else if (call.name == "deleteParameterDataInUI") {
                shown -= std::stoi(call.arguments);
            }
        }
        EXPECT_EQ(shown, collection.getParameters().length());
        std::string listed = "groups:";
        for (const KxString& name : names) {
            listed += " " + name.toUtf8();
        }
        rows.push_back(listed);
        return rows;
    }

    KxParameter* any() {
        const KxArray<KxParameter*>& listed = collection.getParameters();
        return listed.isEmpty() ? nullptr : listed[pick(listed.length())];
    }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    std::wstring anyName() {
        KxParameter* parameter = any();
        return parameter ? parameter->getName().wstr() : L"width";
    }
    KxString anyGroup() {
        KxArray<KxString> names;
        groups.getParameterGroups(names);
        return names.isEmpty() ? KxString(L"outline") : names[pick(names.length())];
    }

    // One random edit, as a user's command makes it; many are refused and change nothing.
    void edit(const std::string& firstExport) {
        KxParameter* parameter = any();
        TestProperty property;
        short group = 0;
        switch (pick(10)) {
        case 0: {
            const std::wstring expressions[] = {
                L"12",  L"2.5",  anyName() + L" * 2",        anyName() + L" + " + anyName(),
                L"1 +", L"nope", L"(" + anyName() + L") / 0"};
            if (parameter) {
                parameter->setExpression(KxString(expressions[pick(7)]));
            }
            break;
        }
        case 1:
            if (parameter) {
                parameter->setName(
                    KxString(pick(3) == 0 ? anyName() : L"n" + std::to_wstring(pick(50))));
            }
            break;
        case 2:
            property.setName(L"description");
            property.value() = KxString(L"note " + std::to_wstring(pick(5)));
            if (parameter) {
                parameter->setProperty(property);
            }
            break;
        case 3:
            property.setName(L"tolerance");
            property.value() = std::vector<double>{0.1, 0.2, 0.5, 0.3}[pick(4)];
            if (parameter) {
                parameter->setProperty(property);
            }
            break;
        case 4:
            if (parameter && groups.getGroupIndex(anyGroup(), group) == Lumo::eOk) {
                pick(2) ? parameter->addToGroup(group) : parameter->removeFromGroup(group);
            }
            break;
        case 5:
            switch (pick(3)) {
            case 0:
                groups.addParameterGroup(KxString(L"g" + std::to_wstring(pick(5))));
                break;
            case 1:
                groups.deleteParameterGroup(anyGroup());
                break;
            default:
                groups.renameParameterGroup(anyGroup(), KxString(L"g" + std::to_wstring(pick(5))));
            }
            break;
        case 6: {
            KxParameter* made = nullptr;
            collection.createParameter(made);
            collection.addParameter(made);
            break;
        }
        case 7:
            if (parameter) {
                KxArray<KxParameter*> doomed;
                doomed.append(parameter);
                collection.checkParametersForDeletion(doomed);
                collection.deleteParameters(doomed);
            }
            break;
        case 8:
            Transfer::importCsv(manager, firstExport);
            break;
        default:
            if (parameter) {
                parameter->setExpression(KxString(std::to_wstring(pick(200) + 1)));
            }
        }
    }
};

TEST_F(PlateUndo, RandomEditsUndoneAndRedoneStepByStepGiveBackEachStateAndBracketsAreOneStep) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        random.seed(seed);
        std::string firstExport;
        Transfer::exportCsv(manager, firstExport);
        std::vector<State> states{state()};
        for (int step = 0; step < 30; ++step) {
            const int undoable = db->undoCount();
            // Now and then several commands inside an undo bracket, which undo takes as one.
            const int commands = pick(5) == 0 ? 1 + pick(3) : 1;
            const bool bracket = commands > 1;
            if (bracket) {
                kxedSendModelessOperationStart(L"bracket");
            }
            for (int i = 0; i < commands; ++i) {
                doc->beginCommand(L"edit");
                edit(firstExport);
                doc->endCommand();
            }
            if (bracket) {
                kxedSendModelessOperationEnded(L"bracket");
            }
            // A change that undo does not know of would show here as a state without a step.
            if (db->undoCount() > undoable) {
                ASSERT_EQ(db->undoCount(), undoable + 1) << "seed " << seed << " step " << step;
                states.push_back(state());
            } else {
                ASSERT_EQ(state(), states.back()) << "seed " << seed << " step " << step;
            }
        }
        const int steps = static_cast<int>(states.size()) - 1;

        ASSERT_EQ(db->undoCount(), steps);
        for (int k = steps; k > 0; --k) {
            ASSERT_EQ(doc->undo(), Lumo::eOk);
            ASSERT_EQ(state(), states[k - 1]) << "seed " << seed << " undoing step " << k;
        }
        EXPECT_EQ(doc->undo(), Lumo::eNothingToUndo);
        for (int k = 1; k <= steps; ++k) {
            ASSERT_EQ(doc->redo(), Lumo::eOk);
            ASSERT_EQ(state(), states[k]) << "seed " << seed << " redoing step " << k;
        }
        for (int k = steps; k > 0; --k) {
            ASSERT_EQ(doc->undo(), Lumo::eOk);
        }
        ASSERT_EQ(state(), states.front());
        EXPECT_FALSE(doc->isModified());
        db->forgetUndoHistory();
    }
}

TEST_F(PlateUndo, ASavedPlateComesBackWhole_ANewDrawingHasNoneAndADamagedFileChangesNothing) {
    const ScratchFolder scratch;
    const std::string path = scratch.file("plate.kxd");
    std::string message;
    doc->beginCommand(L"edit");
    collection.find(L"width")->setExpression(L"150");
    collection.find(L"hole_count")->setName(L"holes");
    groups.addParameterGroup(L"extra");
    groups.renameParameterGroup(L"outline", L"shape"); // it moves to the end of the list
    KxParameter* made = nullptr;
    collection.createParameter(made);
    collection.addParameter(made);
    made->setExpression(L"holes * 2");
    doc->endCommand();
    const State saved = state();
    ASSERT_EQ(doc->save(path, message), Lumo::eOk) << message;

    // A new drawing has an empty plate: no parameters, no groups, an outline without points.
    ASSERT_EQ(doc->newDrawing(message), Lumo::eOk) << message;
    const State empty = state();
    EXPECT_THAT(empty, ElementsAre(StartsWith("csv name,"), "polyline", "groups:"));
    EXPECT_FALSE(doc->isModified());

    // A drawing that was cut short is refused before anything changes.
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(scratch.file("cut.kxd"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_EQ(doc->open(scratch.file("cut.kxd"), message), Lumo::eEndOfFile);
    EXPECT_EQ(state(), empty);

    palette.mCalls.clear();
    ASSERT_EQ(doc->open(path, message), Lumo::eOk) << message;
    EXPECT_EQ(state(), saved);
    EXPECT_FALSE(doc->isModified());
    const std::vector<std::string> heard = palette.names();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "addParameterDataInUI"), 8);

    // What was opened is edited, undone and saved like any drawing.
    doc->beginCommand(L"edit");
    collection.find(L"holes")->setExpression(L"6");
    doc->endCommand();
    EXPECT_NE(state(), saved);
    ASSERT_EQ(doc->undo(), Lumo::eOk);
    EXPECT_EQ(state(), saved);
    EXPECT_FALSE(doc->isModified());
}

} // namespace
