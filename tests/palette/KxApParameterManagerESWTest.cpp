#include "palette/KxApParameterManagerESW.h"

#include "support/ModuleAccess.h"
#include "support/TestParameter.h"
#include "testkit/KxRecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <type_traits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// An operation of the proxy, what the palette hears of it, and its answers without and with one.
struct Operation {
    std::string call;
    std::function<std::string(KxApParameterManagerESW&)> answer;
    std::string arguments;
    const void* object;
    std::string neutral = "";
    std::string forwarded = "";
};
// clang-format off
#define OP(call, ...) Operation{#call, [&](auto& called) -> std::string { \
    if constexpr (std::is_void_v<decltype(called.call)>) { called.call; return {}; } \
    else { return ::testing::PrintToString(called.call); } }, __VA_ARGS__}
// clang-format on

TEST(PaletteProxy, AnswersNeutrallyWithoutAPaletteAndForwardsEveryOperationToOne) {
    KxTestSession::unloadAllModules(); // initialize then finds no palette module to load
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    auto* manager = reinterpret_cast<KxParameterManager*>(0x10);
    auto* item = reinterpret_cast<KxParameter*>(0x20);
    auto* collection = reinterpret_cast<KxParameterCollection*>(0x30);
    auto* groups = reinterpret_cast<KxParameterGroupCollection*>(0x40);
    auto* filter = reinterpret_cast<KxParameterFilter*>(0x50);
    CImageList images;
    const KxArray<KxParameter*> items = parameterList({item, item});
    KxArray<KxString> given, taken;
    given.append(L"pi");
    const std::string no = ::testing::PrintToString(Lumo::eNotImplemented);
    const Operation operations[] = {
        OP(initialize(manager), "", manager),
        OP(show(true, false), "true false", nullptr, "false", "true"),
        OP(restore(true), "true", nullptr, "false", "true"),
        OP(cancelCurrentEdit(), "", nullptr),
        OP(setESWLockUpdate(true), "true", nullptr),
        OP(SetImageListAndIndexPair(images, collection),
           std::to_string(reinterpret_cast<std::uintptr_t>(&images)), collection),
        OP(updateParameterDataInUI(item), "", item, no, "9"),
        OP(addParameterDataInUI(item, 3), "3", item, no, "9"),
        OP(deleteParameterDataInUI(items), "2", &items),
        OP(repopulateGroupDataInUI(groups), "", groups),
        OP(updateCurrentGroupDataInUI(item), "", item, no, "9"),
        OP(showErrorTaskDialog(Lumo::eInvalidInput, L"m", L"d"), "3 [m] [d]", nullptr),
        OP(markInvalidCell(), "", nullptr),
        OP(isListControlDeleted(), "", nullptr, "false", "true"),
        OP(setFilterLock(true), "true", nullptr),
        OP(refresh(false), "false", nullptr),
        OP(IsVisible(), "", nullptr, "false", "true"),
        OP(setPredefinedExpressions(given), "1", &given, no, "9"),
        OP(getPredefinedExpressions(taken), "", &taken),
        OP(activeCollectionChanged(collection), "", collection),
        OP(resetSearchPattern(), "", nullptr),
        OP(hideFilterTree(true), "true", nullptr),
        OP(getCurrentFilter(), "", nullptr, "NULL", ::testing::PrintToString(filter)),
    };
    KxRecordingPalette palette;
    palette.mShow = palette.mRestore = palette.mVisible = palette.mListControlDeleted = true;
    palette.mStatus = static_cast<Lumo::ErrorStatus>(9);
    palette.mpFilter = filter;

    // Detached, attached, detached again: a palette that is gone is not called.
    for (const bool attached : {false, true, false}) {
        proxy.setHost(attached ? &palette : nullptr);
        for (const Operation& operation : operations) {
            SCOPED_TRACE(operation.call + (attached ? " attached" : " detached"));
            palette.mCalls.clear();
            EXPECT_EQ(operation.answer(proxy), attached ? operation.forwarded : operation.neutral);
            const KxRecordingPalette::Call heard{operation.call.substr(0, operation.call.find('(')),
                                                 operation.object, operation.arguments};
            EXPECT_EQ(palette.mCalls,
                      attached ? std::vector{heard} : std::vector<KxRecordingPalette::Call>());
        }
    }
}

TEST(PaletteProxy, KeepsEachSinkOnceANullOneIncluded) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    auto* sink = reinterpret_cast<IKxApParameterManagerESWHostEvents*>(0x1000);
    proxy.addEvent(sink);
    proxy.addEvent(nullptr);
    proxy.addEvent(sink);
    EXPECT_THAT(proxy.events(), ElementsAre(nullptr, sink));
    proxy.removeEvent(sink);
    proxy.removeEvent(nullptr);
    EXPECT_THAT(proxy.events(), IsEmpty());
}

} // namespace
