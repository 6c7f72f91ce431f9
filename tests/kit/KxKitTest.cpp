#include "kit/KxParameterKit.h"

#include "support/ModuleAccess.h"
#include "support/TestCollection.h"
#include "support/TestGroups.h"
#include "testkit/KxRecordingManagerReactor.h"
#include "testkit/KxRecordingPalette.h"
#include "testkit/KxTestSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

namespace {

// The test palette module is defined with KX_DEFINE_MODULE and attaches with a KxScopedPalette.
TEST(Kit, TheModuleMacroMakesOneObjectAtTheStartAndDeletesItAtTheUnload) {
    KxTestSession session;
    ASSERT_TRUE(kxrxAddModuleDirectory(testModuleDirectory()));
    ASSERT_TRUE(kxrxLoadModule(L"KxParameter.dlx", false, true));
    const auto symbol = [](const char* name) { return kxrxModuleSymbol(L"KxParameter.dlx", name); };
    auto* palette = reinterpret_cast<KxRecordingPalette* (*)()>(symbol("testPalette"))();
    palette->mVisible = true;
    EXPECT_TRUE(KxApParameterManagerESW::instance()->IsVisible()); // attached
    EXPECT_EQ(reinterpret_cast<int (*)(int, void*)>(symbol("kxrxEntryPoint"))(1, nullptr), 0);
    EXPECT_EQ(reinterpret_cast<int (*)()>(symbol("testPaletteStarts"))(), 1);
    ASSERT_TRUE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_FALSE(KxApParameterManagerESW::instance()->IsVisible()); // its guard went with it
}

TEST(Kit, GuardsWithdrawFromTheLiveManagerOnly) {
    KxTestSession session;
    EventLog log;
    KxRecordingManagerReactor reactor(log);
    TestCollection collection(nullptr, L"c");
    TestGroups groups;
    CImageList images;
    {
        KxScopedManagerReactor listening(reactor);
        KxScopedCollection registration(collection, images, &groups, KxActivation::kMakeActive);
    }
    std::optional<KxScopedCollection> first(std::in_place, collection, images); // unheard
    EXPECT_THAT(log, ::testing::ElementsAre(
                         "M: willRegister c", "M: registered c", "M: willActivate c",
                         "M: activated c", "M: willRegisterGroups groups",
                         "M: registeredGroups groups", "M: willUnregister c", "M: unregistered c",
                         "M: willUnregisterGroups groups", "M: unregisteredGroups groups"));
    KxParameterManager::destroy();
    log.clear();
    std::optional<KxScopedManagerReactor> listening(std::in_place, reactor);
    first.reset(); // the manager made since does not hold the collection
    std::optional<KxScopedCollection> last(std::in_place, collection, images);
    KxParameterManager::destroy();
    last.reset(); // no manager: nothing to withdraw from
    listening.reset();
    EXPECT_THAT(log, ::testing::ElementsAre("M: willRegister c", "M: registered c"));
    EXPECT_FALSE(kxParameterManagerExists());
}

TEST(Kit, ThePaletteGuardDetachesOnlyItsOwnPaletteAndTheBaseAnswersNeutrally) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    struct Answering : KxPaletteBase {
        explicit Answering(Lumo::ErrorStatus status) : mStatus(status) {}
        Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>&) override {
            return mStatus;
        }
        Lumo::ErrorStatus mStatus;
    } mine(Lumo::eOk), other(Lumo::eInvalidInput);
    KxArray<KxString> kept;
    const auto attached = [&] { return proxy.setPredefinedExpressions(kept); };
    {
        std::optional<KxScopedPalette> first(std::in_place, mine);
        KxScopedPalette second(other);
        first.reset(); // a palette attached since stays
        EXPECT_EQ(attached(), Lumo::eInvalidInput);
    }
    EXPECT_EQ(attached(), Lumo::eNotImplemented);
    KxPaletteBase neutral;
    kept.append(L"pi");
    neutral.getPredefinedExpressions(kept);
    EXPECT_TRUE(kept.length() == 1 && !neutral.IsVisible() && !neutral.show(true, true));
    EXPECT_EQ(neutral.setPredefinedExpressions(kept), Lumo::eNotImplemented);
}

// The palette's table without a window: the fixed columns, then the active collection's visible
// ones; the text of each kind of cell; a parameter's groups in the group collection's order, an
// index that the collection does not name left out.
TEST(Kit, ThePaletteTableShowsTheActiveCollectionAndTheGroupsThatHaveNames) {
    KxTestSession session;
    ColumnCollection plate;
    plate.mColumns.append({L"note", L"Note", 80, true});
    plate.mColumns.append({L"secret", L"Secret", 80, false});
    plate.mColumns.append({L"count", L"", 40, true});
    plate.mColumns.append({L"note", L"Note again", 80, true});
    TestCollection bare;                  // offers no columns
    ::testing::internal::CaptureStderr(); // the host reports that no palette module is there
    KxParameterManager& manager = session.manager();
    ::testing::internal::GetCapturedStderr();
    const auto columns = [&](KxParameterCollection* active) {
        if (active) {
            manager.setActiveCollection(active);
        }
        std::vector<std::string> shown;
        for (const KxPaletteColumn& column : kxPaletteColumns(&manager)) {
            shown.push_back(utf8(column.title) +
                            (column.key.isEmpty() ? "" : ":" + utf8(column.key)));
        }
        return shown;
    };
    using ::testing::ElementsAre;
    EXPECT_THAT(columns(nullptr), ElementsAre("Name", "Expression", "Value", "Groups"));
    EXPECT_THAT(columns(&bare), ElementsAre("Name", "Expression", "Value", "Groups"));
    EXPECT_THAT(columns(&plate),
                ElementsAre("Name", "Expression", "Value", "Groups", "Note:note", "count:count"));
    EXPECT_EQ(kxPaletteColumns(nullptr).size(), 4u);

    TestGroups groups;
    groups.add(L"outline", 1);
    groups.add(L"holes", 4);
    TestParameter width;
    ASSERT_EQ(width.setName(L"width"), Lumo::eOk);
    ASSERT_EQ(width.setExpression(L"5 / 2"), Lumo::eOk);
    width.mValue = 2.5;
    auto* note = new TestProperty(L"note");
    note->value() = L"plate";
    width.addProperty(note);
    KxParameter::GroupIndexList indexes;
    for (const short index : std::initializer_list<short>{4, 9, 1}) {
        indexes.append(index);
    }
    width.setGroupNameIndexesInternal(indexes);
    using enum KxPaletteColumnKind;
    const struct {
        KxPaletteColumn column;
        const KxParameterGroupCollection* groups = nullptr;
        const char* text = nullptr;
    } cells[] = {
        {{kName, {}, {}}, &groups, "width"},      {{kExpression, {}, {}}, &groups, "5 / 2"},
        {{kValue, {}, {}}, &groups, "2.5000"},    {{kGroups, {}, {}}, &groups, "outline, holes"},
        {{kGroups, {}, {}}, nullptr, ""},         {{kProperty, L"note", {}}, &groups, "plate"},
        {{kProperty, L"count", {}}, &groups, ""},
    };
    for (const auto& cell : cells) {
        EXPECT_EQ(utf8(kxPaletteCellText(width, cell.column, cell.groups)), cell.text)
            << static_cast<int>(cell.column.kind) << " " << utf8(cell.column.key);
    }
    const KxParameterGroupNames names(&groups);
    EXPECT_THAT(names.namesOf(width), ElementsAre(KxString(L"outline"), KxString(L"holes")));
    EXPECT_EQ(names.textOf(width, L";"), KxString(L"outline;holes"));
    EXPECT_EQ(names.nameOf(9), nullptr);
    ASSERT_NE(names.nameOf(4), nullptr);
    EXPECT_EQ(*names.nameOf(4), KxString(L"holes"));
}

} // namespace
