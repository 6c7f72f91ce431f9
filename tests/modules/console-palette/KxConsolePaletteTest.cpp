// The console palette where the shell cannot take it: hidden, under locks, fed bad input or
// parameters that are gone. What it shows for a user's edits is in the shell's transcripts.

#include "modules/console-palette/KxConsolePalette.h"

#include "host/MtTaskDialogPresenter.h"
#include "manager/KxParameterManager.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/ModuleAccess.h"
#include "support/TestCollection.h"
#include "support/TestGroups.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <utility>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

void define(TestParameter& parameter, const wchar_t* name, const wchar_t* expression,
            KxDbEvalVariant value) {
    ASSERT_EQ(parameter.setName(name), Lumo::eOk);
    ASSERT_EQ(parameter.setExpression(expression), Lumo::eOk);
    parameter.mValue = std::move(value);
}

// The palette attached to the proxy before the manager is made, so that the manager hands itself
// to the palette; no module directory is set, so no palette module takes its place.
struct ConsolePalette : ::testing::Test {
    std::ostringstream out;
    std::ostringstream errors; // the error box
    KxConsolePalette palette;
    KxParameterManager* manager = nullptr;
    CImageList images;
    ColumnCollection plate;
    TestParameter a, b, c;

    void SetUp() override {
        KxTestSession::unloadAllModules();
        mtSetTaskDialogPresenter([](const MtTaskDialogShown&) { return 0; });
        palette.setOutput(&out, &errors);
        KxApParameterManagerESW::instance()->setHost(&palette);
        ::testing::internal::CaptureStderr(); // the host reports the missing palette module
        manager = &KxParameterManager::getInstance();
        ::testing::internal::GetCapturedStderr();
        define(a, L"a", L"1", 1.0);
        define(b, L"b", L"2", 2.0);
        define(c, L"c", L"3", 3.0);
    }
    void TearDown() override {
        KxApParameterManagerESW::instance()->setHost(nullptr);
        KxParameterManager::destroy();
        mtSetTaskDialogPresenter(nullptr);
    }
    std::string printed() { return std::exchange(out, std::ostringstream()).str(); }
};

TEST_F(ConsolePalette, HiddenItFollowsQuietlyAndNeverReadsADeletedParameter) {
    auto* doomed = new TestParameter;
    define(*doomed, L"doomed", L"4", 4.0);
    for (TestParameter* parameter : {&a, &b, doomed}) {
        plate.addParameter(parameter);
    }
    manager->registerCollection(&plate, images);
    manager->registerCollection(&plate, images); // still one row each
    manager->refreshESW(true);
    plate.addParameter(&c); // the model hands an addition to a visible palette only
    a.setName(L"alpha");
    manager->deleteParameters(parameterList({&b}));
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, doomed));
    EXPECT_EQ(printed(), "");

    EXPECT_EQ(palette.addParameterDataInUI(nullptr, 1), Lumo::eNullObjectPointer);
    EXPECT_EQ(palette.updateParameterDataInUI(nullptr), Lumo::eNullObjectPointer);
    EXPECT_EQ(palette.updateParameterDataInUI(&b), Lumo::eInvalidInput);
    EXPECT_EQ(palette.updateCurrentGroupDataInUI(&b), Lumo::eInvalidInput);
    palette.deleteParameterDataInUI(parameterList({&b, nullptr}));

    // Shown, it takes up what it missed. The provider erases a parameter once the palette heard
    // of its deletion, or even before: the row remembers the name.
    manager->ShowESW(true, true);
    manager->deleteParameters(parameterList({doomed}));
    delete doomed;
    auto* gone = new TestParameter;
    define(*gone, L"gone", L"5", 5.0);
    palette.addParameterDataInUI(gone, 1);
    delete gone;
    palette.deleteParameterDataInUI(parameterList({gone}));
    palette.draw();
    EXPECT_EQ(printed(), "  Name    Expression  Value   Groups\n"
                         "  ------  ----------  ------  ------\n"
                         "  alpha   1           1.0000\n"
                         "  doomed  4           4.0000\n"
                         "  c       3           3.0000\n"
                         "  - doomed\n"
                         "  + gone\n"
                         "  - gone\n"
                         "  Name   Expression  Value   Groups\n"
                         "  -----  ----------  ------  ------\n"
                         "  alpha  1           1.0000\n"
                         "  c      3           3.0000\n");
    manager->unRegisterCollection(&plate);
    EXPECT_THAT(palette.rowParameters(), IsEmpty());
}

TEST_F(ConsolePalette, ColumnsAndValuesAreTheActiveProvidersAndOnlyItsOwnEditIsMarked) {
    plate.mColumns.append({L"note", L"Note", 80, true});
    plate.mColumns.append({L"secret", L"Secret", 80, false});
    plate.mColumns.append({L"count", L"", 40, true});
    ColumnCollection other; // registered, but not active: its columns do not show
    other.mColumns.append({L"size", L"Size", 40, true});
    auto* note = new TestProperty(L"note");
    note->value() = L"plate";
    note->mApplyStatus = Lumo::eNotAllowed;
    note->mApplyDetail = L"set by\nthe drawing";
    a.addProperty(note);
    b.mValueStatus = Lumo::eInvalidInput;
    define(c, L"label", L"\"12\"", L"12"); // a text is not put into the units
    for (TestParameter* parameter : {&a, &b, &c}) {
        plate.addParameter(parameter);
    }
    manager->registerCollection(&plate, images);
    manager->registerCollection(&other, images);
    manager->setActiveCollection(&plate);

    // Refusals are shown while hidden too.
    EXPECT_EQ(palette.editProperty(&a, L"note", KxDbEvalVariant(L"x")), Lumo::eNotAllowed);
    EXPECT_EQ(palette.editProperty(&b, L"note", KxDbEvalVariant(L"x")), Lumo::eKeyNotFound);
    EXPECT_EQ(palette.editName(nullptr, L"x"), Lumo::eNullObjectPointer);
    EXPECT_EQ(palette.editExpression(&b, L"7"), Lumo::eOk);
    b.mValidateStatus = Lumo::eInvalidInput;
    b.mValidateMessage = L"no";
    EXPECT_EQ(b.setName(L"bad"), Lumo::eInvalidInput); // not the palette's edit
    palette.draw();
    EXPECT_EQ(errors.str(), "+-- Parameter not changed (eNotAllowed, 2) -+\n"
                            "| (no message)                              |\n"
                            "| set by                                    |\n"
                            "| the drawing                               |\n"
                            "+-------------------------------------------+\n"
                            "+-- Parameter not changed (eInvalidInput, 3) -+\n"
                            "| no                                          |\n"
                            "+---------------------------------------------+\n");
    EXPECT_EQ(printed(), "  Name   Expression  Value   Groups  Note     count\n"
                         "  -----  ----------  ------  ------  -------  -----\n"
                         "! a      1           1.0000          plate !\n"
                         "  b      7\n"
                         "  label  \"12\"        12\n");
    // An unregistered collection may be gone: its columns are no longer asked for.
    manager->unRegisterCollection(&other);
    manager->unRegisterCollection(&plate);
    palette.draw();
    EXPECT_THAT(printed(), HasSubstr("  Name  Expression  Value  Groups\n"));
}

TEST_F(ConsolePalette, LocksTellTheirChangesInOneLineAtTheOuterRelease) {
    manager->ShowESW(true, true);
    TestParameter d, e;
    for (TestParameter* parameter : {&a, &b, &c, &d}) {
        plate.addParameter(parameter);
    }
    printed();
    manager->registerCollection(&plate, images); // under the filter lock
    EXPECT_EQ(printed(), "  + 4 rows\n");

    // The collection's own lock around a deletion of two nests in the client's.
    TestGroups groups;
    manager->setESWUpdateLock(true);
    a.setName(L"renamed");
    plate.addParameter(&e);
    plate.deleteParameters(parameterList({&b, &c}));
    manager->registerParameterGroupCollection(&groups);
    EXPECT_EQ(printed(), "");
    manager->setESWUpdateLock(false);
    EXPECT_EQ(printed(), "  ~ 1 row added, 1 row updated, 2 rows deleted, groups changed\n");

    // A release without a lock, a lock with no change, and a hidden palette print nothing.
    manager->setESWUpdateLock(false);
    manager->setESWUpdateLock(true);
    manager->setESWUpdateLock(false);
    manager->ShowESW(false, false);
    manager->setESWUpdateLock(true);
    manager->deleteParameters(parameterList({&d}));
    manager->setESWUpdateLock(false);
    EXPECT_EQ(printed(), "");
    EXPECT_THAT(palette.rowParameters(), ElementsAre(&a, &e));
}

TEST_F(ConsolePalette, TheGroupFilterReachesTheManagerAndGoesWithTheGroups) {
    TestGroups groups;
    groups.add(L"holes", 4);
    manager->registerParameterGroupCollection(&groups);
    EXPECT_EQ(palette.setGroupFilter(L"holes", true), Lumo::eOk);
    EXPECT_EQ(manager->getCurrentGroupIndex(), 4);
    palette.clearFilter();
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);

    palette.setGroupFilter(L"holes", false);
    manager->ShowESW(true, true);
    printed();
    manager->unregisterParameterGroupCollection(&groups);
    EXPECT_EQ(printed(), "  ~ groups: none\n");
    EXPECT_EQ(palette.getCurrentFilter(), nullptr);
    EXPECT_EQ(palette.setGroupFilter(L"holes", false), Lumo::eInvalidInput);
}

} // namespace
