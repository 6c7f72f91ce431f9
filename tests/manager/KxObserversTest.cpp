#include "manager/KxParameterCollectionObserver.h"

#include "collections/KxParameterCollection.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"
#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = RecordingPalette::Call;

namespace {

class PlainCollection : public KxParameterCollection {
public:
    PlainCollection() : KxParameterCollection(L"plain") {}
    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override {
        parameter = nullptr;
        return Lumo::eNotSupported;
    }

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>&) override {}
};

struct ObservedParameter : ::testing::Test {
    RecordingPalette palette;
    KxParameterCollectionObserver observer;
    TestParameter parameter;

    void SetUp() override {
        KxApParameterManagerESW::instance()->setHost(&palette);
        parameter.addReactor(&observer.mParameterObserver);
    }
    void TearDown() override { KxApParameterManagerESW::instance()->setHost(nullptr); }
};

TEST_F(ObservedParameter, EachAcceptedChangeRefreshesTheRowOnce) {
    parameter.setName(L"width");
    parameter.setExpression(L"2 * depth");
    auto* property = new TestProperty(L"count");
    parameter.addProperty(property);
    TestProperty source(L"count");
    source.value() = 4;
    parameter.setProperty(source);
    parameter.notifyParameterModified();

    const Call refresh{"updateParameterDataInUI", &parameter, ""};
    EXPECT_THAT(palette.mCalls, ElementsAre(refresh, refresh, refresh, refresh));
}

TEST_F(ObservedParameter, ARefusalMarksTheCellThenShowsTheProvidersTexts) {
    parameter.mValidateStatus = static_cast<Lumo::ErrorStatus>(5);
    parameter.mValidateMessage = L"name taken";
    parameter.setName(L"width");
    EXPECT_THAT(palette.mCalls,
                ElementsAre(Call{"markInvalidCell", nullptr, ""},
                            Call{"showErrorTaskDialog", nullptr, "5 [name taken] []"}));
}

TEST_F(ObservedParameter, GroupChangesUpdateTheGroupData) {
    KxParameter::GroupIndexList groups;
    groups.append(3);
    parameter.setGroupNameIndexesInternal(groups);
    EXPECT_THAT(palette.mCalls, ElementsAre(Call{"updateCurrentGroupDataInUI", &parameter, ""}));
}

TEST_F(ObservedParameter, AdditionsReachOnlyAVisiblePaletteDeletionsOnlyWhenItSaysSo) {
    PlainCollection collection;
    collection.addReactor(&observer);
    collection.addReactor(&observer);
    TestParameter hidden, shown;

    collection.addParameter(&hidden);
    EXPECT_THAT(palette.names(), ElementsAre("IsVisible", "IsVisible"));
    palette.mVisible = true;
    collection.addParameter(&shown);
    // Registered twice, the observer hands the parameter over twice but attaches itself once.
    EXPECT_THAT(palette.names(),
                ElementsAre("IsVisible", "IsVisible", "IsVisible", "addParameterDataInUI",
                            "IsVisible", "addParameterDataInUI"));
    EXPECT_EQ(palette.mCalls[3], (Call{"addParameterDataInUI", &shown, "1"}));
    palette.mCalls.clear();
    hidden.notifyParameterModified();
    shown.notifyParameterModified();
    EXPECT_THAT(palette.mCalls, ElementsAre(Call{"updateParameterDataInUI", &hidden, ""},
                                            Call{"updateParameterDataInUI", &shown, ""}));

    palette.mCalls.clear();
    KxArray<KxParameter*> doomed;
    doomed.append(&hidden);
    collection.deleteParameters(doomed);
    EXPECT_THAT(palette.names(),
                ElementsAre("cancelCurrentEdit", "isListControlDeleted", "isListControlDeleted"));
    palette.mCalls.clear();
    palette.mListControlDeleted = true;
    doomed[0] = &shown;
    collection.deleteParameters(doomed);
    EXPECT_THAT(palette.names(),
                ElementsAre("cancelCurrentEdit", "isListControlDeleted", "deleteParameterDataInUI",
                            "isListControlDeleted", "deleteParameterDataInUI"));
    EXPECT_EQ(palette.mCalls[2].object, &doomed);
    EXPECT_THAT(collection.getParameters(), IsEmpty());
}

TEST(ObserversWithoutPalette, AttachToAddedParametersAndCallNothing) {
    KxParameterCollectionObserver observer;
    PlainCollection collection;
    collection.addReactor(&observer);
    TestParameter parameter;
    collection.addParameter(&parameter);
    // The observer is on the parameter: removing it succeeds.
    EXPECT_EQ(parameter.removeReactor(&observer.mParameterObserver), Lumo::eOk);
    parameter.addReactor(&observer.mParameterObserver);
    parameter.setName(L"renamed");
    collection.deleteParameters(collection.getParameters());
    EXPECT_THAT(collection.getParameters(), IsEmpty());
}

} // namespace
