#include "modules/palette/KxConsolePalette.h"

#include "collections/KxParameterGroupCollection.h"
#include "host/KxModuleLoader.h"
#include "host/MtTaskDialogPresenter.h"
#include "manager/KxParameterManager.h"
#include "modules/palette/KxPaletteEditProperty.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/HostSysVars.h"
#include "support/TestCollection.h"
#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;

namespace {

KxArray<KxParameter*> list(std::initializer_list<KxParameter*> parameters) {
    KxArray<KxParameter*> array;
    for (KxParameter* parameter : parameters) {
        array.append(parameter);
    }
    return array;
}

KxParameter::GroupIndexList indexes(std::initializer_list<short> values) {
    KxParameter::GroupIndexList array;
    for (short value : values) {
        array.append(value);
    }
    return array;
}

// A parameter of a provider, named and valued as the test needs.
class Parameter : public TestParameter {
public:
    Parameter(const wchar_t* name, const wchar_t* expression, KxDbEvalVariant value,
              bool angular = false)
        : mbAngular(angular) {
        setNameInternal(name);
        setExpressionInternal(expression);
        mValue = value;
    }
    bool hasAngularUnits() override { return mbAngular; }

private:
    bool mbAngular;
};

// A collection with columns of its own, that erases the parameters it was given on the heap.
class PlateCollection : public TestCollection {
public:
    PlateCollection() : TestCollection(nullptr, L"plate") {}
    ~PlateCollection() override {
        for (KxParameter* parameter : mOwned) {
            delete parameter;
        }
    }
    KxArray<KxColumnHeaderProperty> mColumns;
    std::vector<KxParameter*> mOwned;

    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override {
        for (const KxColumnHeaderProperty& column : mColumns) {
            columns.append(column);
        }
        return Lumo::eOk;
    }

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override {
        for (KxParameter* parameter : parameters) {
            const auto owned = std::find(mOwned.begin(), mOwned.end(), parameter);
            if (owned != mOwned.end()) {
                mOwned.erase(owned);
                delete parameter;
            }
        }
    }
};

// The user's groups, each with the index that the test gives it; every change is accepted.
class Groups : public KxParameterGroupCollection {
public:
    void add(const wchar_t* name, short index) {
        mIndexes[name] = index;
        ASSERT_EQ(addParameterGroup(name), Lumo::eOk);
    }
    Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const override {
        const auto found = mIndexes.find(name.wstr());
        if (found == mIndexes.end()) {
            return Lumo::eInvalidInput;
        }
        index = found->second;
        return Lumo::eOk;
    }

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString& name) override {
        mIndexes.erase(name.wstr());
        return Lumo::eOk;
    }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString& oldName,
                                                   const KxString& newName) override {
        mIndexes[newName.wstr()] = mIndexes[oldName.wstr()];
        mIndexes.erase(oldName.wstr());
        return Lumo::eOk;
    }

private:
    std::map<std::wstring, short> mIndexes;
};

// The palette attached to the proxy before the manager is made, so that the manager hands itself
// to the palette; everything the palette prints is read from `out`.
struct ConsolePalette : SysVarsTest {
    std::ostringstream out;
    KxConsolePalette palette;
    std::vector<MtTaskDialogShown> notices;
    KxParameterManager* manager = nullptr;
    CImageList images;

    void SetUp() override {
        SysVarsTest::SetUp();
        kxrxClearModuleDirectories();
        mtSetTaskDialogPresenter([this](const MtTaskDialogShown& dialog) {
            notices.push_back(dialog);
            return 0;
        });
        palette.setOutput(&out);
        KxApParameterManagerESW::instance()->setHost(&palette);
        // No module directory holds the palette module: the host says so on its error stream.
        ::testing::internal::CaptureStderr();
        manager = &KxParameterManager::getInstance();
        ::testing::internal::GetCapturedStderr();
    }
    void TearDown() override {
        KxApParameterManagerESW::instance()->setHost(nullptr);
        KxParameterManager::destroy();
        mtSetTaskDialogPresenter(nullptr);
        SysVarsTest::TearDown();
    }
    // What the palette printed since the last call.
    std::string printed() {
        std::string text = out.str();
        out.str("");
        return text;
    }
    std::string table() {
        printed();
        palette.draw();
        return printed();
    }
};

TEST_F(ConsolePalette, RowsFollowAdditionsUpdatesAndDeletions) {
    PlateCollection plate;
    Parameter a(L"a", L"1", 1.0), b(L"b", L"2", 2.0), c(L"c", L"3", 3.0);
    plate.addParameter(&a);
    plate.addParameter(&b);
    ASSERT_EQ(manager->registerCollection(&plate, images), Lumo::eOk);
    // Registered twice, the collection hands its parameters over twice: still one row each.
    ASSERT_EQ(manager->registerCollection(&plate, images), Lumo::eOk);
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &b));
    EXPECT_EQ(printed(), ""); // hidden so far

    EXPECT_TRUE(manager->ShowESW(true, true));
    EXPECT_TRUE(manager->IsESWVisible());
    EXPECT_THAT(printed(), HasSubstr("  b     2           2.0000"));

    ASSERT_EQ(plate.addParameter(&c), Lumo::eOk);
    ASSERT_EQ(a.setName(L"alpha"), Lumo::eOk);
    ASSERT_EQ(a.setName(L"alpha"), Lumo::eOk); // no change, no line
    manager->deleteParameters(list({&b}));
    EXPECT_EQ(printed(), "  + c\n"
                         "  ~ alpha = 1.0000\n"
                         "  - b\n");
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &c));

    // Bad input changes nothing.
    EXPECT_EQ(palette.addParameterDataInUI(nullptr, 1), Lumo::eNullObjectPointer);
    EXPECT_EQ(palette.updateParameterDataInUI(nullptr), Lumo::eNullObjectPointer);
    EXPECT_EQ(palette.updateParameterDataInUI(&b), Lumo::eInvalidInput);
    EXPECT_EQ(palette.updateCurrentGroupDataInUI(&b), Lumo::eInvalidInput);
    palette.deleteParameterDataInUI(list({&b, nullptr}));
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &c));
    EXPECT_EQ(printed(), "");

    // Hidden, the palette keeps its rows without printing; shown again, it takes up what the
    // model added meanwhile, which the model hands to a visible palette only.
    EXPECT_TRUE(manager->ShowESW(false, false));
    EXPECT_FALSE(manager->IsESWVisible());
    Parameter d(L"d", L"4", 4.0);
    plate.addParameter(&d);
    a.setName(L"a");
    EXPECT_EQ(printed(), "");
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &c));
    manager->ShowESW(true, true);
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &c, &d));
    EXPECT_EQ(printed(), "  Name  Expression  Value   Groups\n"
                         "  ----  ----------  ------  ------\n"
                         "  a     1           1.0000\n"
                         "  c     3           3.0000\n"
                         "  d     4           4.0000\n");

    // Unregistering takes every row of the collection away.
    manager->unRegisterCollection(&plate);
    manager->unRegisterCollection(&plate);
    EXPECT_THAT(palette.rowParameters(), IsEmpty());
    EXPECT_THAT(table(), HasSubstr("  (no parameters)\n"));
}

TEST_F(ConsolePalette, DeletedParametersAreNeverReadAgain) {
    PlateCollection plate;
    auto* first = new Parameter(L"first", L"1", 1.0);
    auto* second = new Parameter(L"second", L"2", 2.0);
    auto* third = new Parameter(L"third", L"3", 3.0);
    plate.mOwned = {first, second, third};
    for (KxParameter* parameter : plate.mOwned) {
        plate.addParameter(parameter);
    }
    manager->registerCollection(&plate, images);
    manager->ShowESW(true, true);
    printed();

    // The provider erases the parameter right after the palette heard of its deletion.
    manager->deleteParameters(list({second}));
    EXPECT_EQ(printed(), "  - second\n");
    EXPECT_EQ(table(), "  Name   Expression  Value   Groups\n"
                       "  -----  ----------  ------  ------\n"
                       "  first  1           1.0000\n"
                       "  third  3           3.0000\n");

    // Told of a deletion only after the object is gone, the palette still says which row went:
    // it remembers the names of its rows.
    KxParameter* gone = first;
    plate.mOwned.erase(plate.mOwned.begin());
    delete first;
    KxApParameterManagerESW::instance()->deleteParameterDataInUI(list({gone}));
    EXPECT_EQ(printed(), "  - first\n");
    EXPECT_THAT(palette.rowParameters(), ElementsAre(third));
    EXPECT_THAT(table(), Not(HasSubstr("first")));
}

TEST_F(ConsolePalette, TableShowsValuesInTheCurrentUnitsWithGroupsAndColumns) {
    PlateCollection plate;
    plate.mColumns.append({L"note", L"Note", 80, true});
    plate.mColumns.append({L"secret", L"Secret", 80, false});
    plate.mColumns.append({L"count", L"", 40, true});
    Groups groups;
    groups.add(L"holes", 4);
    groups.add(L"outer", 9);
    groups.add(L"unused", 2);

    Parameter width(L"width", L"120", 120.0);
    Parameter height(L"height", L"width / 2", 60.0);
    Parameter angle(L"angle", L"30", 30.0, true);
    Parameter label(L"label", L"\"abc\"", L"abc");
    auto* note = new TestProperty(L"note");
    note->value() = L"plate width";
    width.addProperty(note);
    auto* count = new TestProperty(L"count");
    count->value() = std::int32_t{4};
    height.addProperty(count);
    for (KxParameter* parameter : {&width, &height, &angle, &label}) {
        plate.addParameter(parameter);
    }
    manager->registerCollection(&plate, images);
    manager->registerParameterGroupCollection(&groups);
    width.setGroupNameIndexesInternal(indexes({4}));
    height.setGroupNameIndexesInternal(indexes({9, 4}));

    EXPECT_EQ(table(), "  Name    Expression  Value     Groups        Note         count\n"
                       "  ------  ----------  --------  ------------  -----------  -----\n"
                       "  width   120         120.0000  holes         plate width\n"
                       "  height  width / 2   60.0000   holes, outer               4\n"
                       "  angle   30          30\n"
                       "  label   \"abc\"       abc\n");

    // The values follow the units and precision of the drawing at every draw.
    setSysVar(L"LUNITS", 1);
    setSysVar(L"LUPREC", 2);
    setSysVar(L"AUNITS", 3);
    setSysVar(L"AUPREC", 3);
    EXPECT_EQ(table(), "  Name    Expression  Value     Groups        Note         count\n"
                       "  ------  ----------  --------  ------------  -----------  -----\n"
                       "  width   120         1.20E+02  holes         plate width\n"
                       "  height  width / 2   6.00E+01  holes, outer               4\n"
                       "  angle   30          0.524r\n"
                       "  label   \"abc\"       abc\n");

    // Feet and inches are shown as decimals; a value the provider cannot give is an empty cell.
    setSysVar(L"LUNITS", 4);
    angle.mValueStatus = Lumo::eInvalidInput;
    const std::string feet = table();
    EXPECT_THAT(feet, HasSubstr("  width   120         120.00  holes"));
    EXPECT_THAT(feet, HasSubstr("  angle   30\n"));

    // Once the collection is unregistered its columns are no longer asked for.
    manager->unRegisterCollection(&plate);
    manager->ShowESW(true, false);
    EXPECT_THAT(printed(), HasSubstr("  Name  Expression  Value  Groups\n"));
}

TEST_F(ConsolePalette, BatchesUnderTheUpdateLockAndTheFilterLock) {
    manager->ShowESW(true, true);
    PlateCollection plate;
    std::vector<std::unique_ptr<Parameter>> parameters;
    for (const wchar_t* name : {L"p1", L"p2", L"p3", L"p4", L"p5", L"p6", L"p7"}) {
        parameters.push_back(std::make_unique<Parameter>(name, L"1", 1.0));
        plate.addParameter(parameters.back().get());
    }
    printed();

    // Registration hands every parameter over under the filter lock: one line for all.
    manager->registerCollection(&plate, images);
    EXPECT_EQ(printed(), "  + 7 rows\n");

    // A deletion of several is bracketed by the collection with the update lock.
    plate.deleteParameters(list({parameters[0].get(), parameters[1].get(), parameters[2].get()}));
    EXPECT_EQ(printed(), "  ~ 3 rows deleted\n");
    EXPECT_THAT(palette.rowParameters(), SizeIs(4));

    // Nested under the client's own lock, everything is told once, at the outer release.
    Parameter extra(L"extra", L"2", 2.0);
    manager->setESWUpdateLock(true);
    parameters[3]->setName(L"renamed");
    plate.addParameter(&extra);
    plate.deleteParameters(list({parameters[4].get(), parameters[5].get()}));
    EXPECT_EQ(printed(), "");
    manager->setESWUpdateLock(false);
    EXPECT_EQ(printed(), "  ~ 1 row added, 1 row updated, 2 rows deleted\n");

    // A release without a lock, and a lock with no change, print nothing.
    manager->setESWUpdateLock(false);
    manager->setESWUpdateLock(true);
    manager->setESWUpdateLock(false);
    EXPECT_EQ(printed(), "");

    // Hidden, nothing is printed at the release either; the rows follow all the same.
    manager->ShowESW(false, false);
    manager->setESWUpdateLock(true);
    manager->deleteParameters(list({&extra}));
    manager->setESWUpdateLock(false);
    EXPECT_EQ(printed(), "");
    EXPECT_THAT(palette.rowParameters(), ElementsAre(parameters[3].get(), parameters[6].get()));
}

TEST_F(ConsolePalette, ErrorDialogIsAFramedBlockMeasuredInCharacters) {
    palette.showErrorTaskDialog(Lumo::eInvalidInput, L"circular reference: width → height → width",
                                L"");
    EXPECT_EQ(printed(), "+-- Parameter not changed (status 3) --------+\n"
                         "| circular reference: width → height → width |\n"
                         "+--------------------------------------------+\n");

    // Shown also while the palette is hidden, with the detail on lines of its own.
    palette.showErrorTaskDialog(static_cast<Lumo::ErrorStatus>(42), L"Größe ≠ width",
                                L"first line\nsecond, a longer line of detail");
    EXPECT_EQ(printed(), "+-- Parameter not changed (status 42) -+\n"
                         "| Größe ≠ width                        |\n"
                         "| first line                           |\n"
                         "| second, a longer line of detail      |\n"
                         "+--------------------------------------+\n");

    palette.showErrorTaskDialog(Lumo::eNotAllowed, L"", L"");
    EXPECT_EQ(printed(), "+-- Parameter not changed (status 2) -+\n"
                         "| (no message)                        |\n"
                         "+-------------------------------------+\n");
}

TEST_F(ConsolePalette, ARefusedEditMarksTheRowAndShowsTheDialog) {
    PlateCollection plate;
    Parameter width(L"width", L"120", 120.0);
    Parameter height(L"height", L"60", 60.0);
    auto* note = new TestProperty(L"note");
    width.addProperty(note);
    plate.addParameter(&width);
    plate.addParameter(&height);
    manager->registerCollection(&plate, images);
    manager->ShowESW(true, true);
    printed();

    width.mValidateStatus = Lumo::eDuplicateKey;
    width.mValidateMessage = L"the name “height” is taken";
    EXPECT_EQ(palette.editName(&width, L"height"), Lumo::eDuplicateKey);
    EXPECT_FALSE(palette.isEditing());
    EXPECT_EQ(width.getName(), KxString(L"width"));
    EXPECT_EQ(printed(), "+-- Parameter not changed (status 23) -+\n"
                         "| the name “height” is taken           |\n"
                         "+--------------------------------------+\n");
    EXPECT_EQ(table(), "  Name     Expression  Value     Groups\n"
                       "  -------  ----------  --------  ------\n"
                       "! width !  120         120.0000\n"
                       "  height   60          60.0000\n");

    // The mark stays until the row is next updated.
    width.mValidateStatus = Lumo::eOk;
    EXPECT_EQ(palette.editExpression(&width, L"125"), Lumo::eOk);
    EXPECT_EQ(width.getExpression(), KxString(L"125"));
    EXPECT_EQ(printed(), "  ~ width = 120.0000\n");
    EXPECT_THAT(table(), HasSubstr("\n  width   125"));

    // A property edit goes through setProperty; the carrier itself never takes a value.
    EXPECT_EQ(palette.editProperty(&width, L"note", KxDbEvalVariant(L"wide")), Lumo::eOk);
    EXPECT_EQ(note->value(), KxDbEvalVariant(L"wide"));
    note->mApplyStatus = Lumo::eNotAllowed;
    note->mApplyMessage = L"read-only";
    note->mApplyDetail = L"set by the drawing";
    printed();
    EXPECT_EQ(palette.editProperty(&width, L"note", KxDbEvalVariant(L"narrow")), Lumo::eNotAllowed);
    EXPECT_EQ(printed(), "+-- Parameter not changed (status 2) -+\n"
                         "| read-only                           |\n"
                         "| set by the drawing                  |\n"
                         "+-------------------------------------+\n");
    EXPECT_THAT(table(), HasSubstr("! width   125         120.0000\n"));
    EXPECT_EQ(palette.editProperty(&height, L"note", KxDbEvalVariant(L"x")), Lumo::eKeyNotFound);
    EXPECT_EQ(palette.editName(nullptr, L"x"), Lumo::eNullObjectPointer);
    EXPECT_EQ(printed(), "");

    KxPaletteEditProperty carrier(L"note", KxDbEvalVariant(1.0));
    KxString message, detail;
    EXPECT_EQ(carrier.applyValue(carrier, message, detail), Lumo::eNotSupported);
    EXPECT_FALSE(message.isEmpty());

    // A refusal that no palette edit started marks nothing.
    height.mValidateStatus = Lumo::eInvalidInput;
    EXPECT_EQ(height.setName(L"bad name"), Lumo::eInvalidInput);
    EXPECT_THAT(printed(), HasSubstr("(status 3)"));
    EXPECT_THAT(table(), HasSubstr("\n  height"));
}

TEST_F(ConsolePalette, GroupFilterByNameInvertedOrNot) {
    manager->ShowESW(true, true);
    PlateCollection plate;
    Parameter width(L"width", L"1", 1.0), height(L"height", L"2", 2.0), loose(L"loose", L"3", 3.0);
    for (KxParameter* parameter : {&width, &height, &loose}) {
        plate.addParameter(parameter);
    }
    manager->registerCollection(&plate, images);
    Groups groups;
    groups.add(L"holes", 4);
    groups.add(L"outer", 9);
    printed();
    manager->registerParameterGroupCollection(&groups);
    width.setGroupNameIndexesInternal(indexes({4}));
    height.setGroupNameIndexesInternal(indexes({9}));
    EXPECT_EQ(printed(), "  ~ groups: holes, outer\n"
                         "  ~ width in holes\n"
                         "  ~ height in outer\n");

    // An unknown group changes nothing and shows nothing.
    EXPECT_EQ(palette.setGroupFilter(L"nope", false), Lumo::eInvalidInput);
    EXPECT_EQ(palette.setGroupFilter(L"", false), Lumo::eInvalidInput);
    EXPECT_EQ(palette.getCurrentFilter(), nullptr);
    EXPECT_THAT(notices, IsEmpty());
    EXPECT_EQ(printed(), "");

    EXPECT_EQ(palette.setGroupFilter(L"holes", false), Lumo::eOk);
    ASSERT_THAT(notices, SizeIs(1));
    EXPECT_EQ(notices[0].id, KxString(L"KxParameter.ParameterFiltered"));
    EXPECT_EQ(manager->getCurrentGroupIndex(), 4);
    EXPECT_EQ(printed(), "filter: group holes\n"
                         "  Name   Expression  Value   Groups\n"
                         "  -----  ----------  ------  ------\n"
                         "  width  1           1.0000  holes\n");

    EXPECT_EQ(palette.setGroupFilter(L"holes", true), Lumo::eOk);
    EXPECT_THAT(notices, SizeIs(2));
    EXPECT_EQ(printed(), "filter: group holes (inverted)\n"
                         "  Name    Expression  Value   Groups\n"
                         "  ------  ----------  ------  ------\n"
                         "  height  2           2.0000  outer\n"
                         "  loose   3           3.0000\n");

    // The filter stays when an unknown group is asked for, and follows a renamed group.
    KxParameterFilter* current = palette.getCurrentFilter();
    EXPECT_EQ(palette.setGroupFilter(L"nope", true), Lumo::eInvalidInput);
    EXPECT_EQ(palette.getCurrentFilter(), current);
    ASSERT_EQ(groups.renameParameterGroup(L"holes", L"bores"), Lumo::eOk);
    EXPECT_THAT(table(), HasSubstr("filter: group bores (inverted)\n"));
    EXPECT_EQ(manager->getCurrentGroupIndex(), 4);

    palette.clearFilter();
    EXPECT_EQ(palette.getCurrentFilter(), nullptr);
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    EXPECT_THAT(printed(), Not(HasSubstr("filter:")));
    EXPECT_THAT(notices, SizeIs(2));

    // A group that goes takes its filter with it, and so does the group collection.
    palette.setGroupFilter(L"outer", false);
    ASSERT_EQ(groups.deleteParameterGroup(L"outer"), Lumo::eOk);
    EXPECT_THAT(table(), Not(HasSubstr("filter:")));
    EXPECT_EQ(palette.getCurrentFilter(), nullptr);
    palette.setGroupFilter(L"bores", false);
    printed();
    manager->unregisterParameterGroupCollection(&groups);
    EXPECT_EQ(printed(), "  ~ groups: none\n");
    EXPECT_EQ(palette.getCurrentFilter(), nullptr);
    EXPECT_EQ(palette.setGroupFilter(L"bores", false), Lumo::eInvalidInput);
}

TEST_F(ConsolePalette, KeepsWhatTheModelHandsIt) {
    PlateCollection plate;
    manager->setActiveCollection(&plate);
    EXPECT_EQ(palette.activeCollection(), &plate);

    KxArray<KxString> expressions;
    expressions.append(L"pi / 2");
    EXPECT_EQ(manager->setPredefinedExpressions(expressions), Lumo::eOk);
    KxArray<KxString> back;
    manager->getPredefinedExpressions(back);
    EXPECT_THAT(back, ElementsAre(KxString(L"pi / 2")));

    // Restoring answers whether the palette is visible; refresh draws only a visible palette.
    EXPECT_FALSE(manager->RestoreESW(true));
    manager->refreshESW(true);
    EXPECT_EQ(printed(), "");
    manager->ShowESW(true, true);
    printed();
    EXPECT_TRUE(manager->RestoreESW(true));
    manager->refreshESW(false);
    EXPECT_THAT(printed(), HasSubstr("  Name  Expression  Value  Groups\n"));
    EXPECT_TRUE(palette.isListControlDeleted());
}

} // namespace
