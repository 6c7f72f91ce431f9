#include "collections/KxParameterGroupFilter.h"

#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct ThreeParameters : ::testing::Test {
    TestParameter inFiveAndTwo;
    TestParameter inFiveAndSeven;
    TestParameter inNone;
    KxArray<KxParameter*> input;

    void SetUp() override {
        join(inFiveAndTwo, {5, 2});
        join(inFiveAndSeven, {5, 7});
        for (KxParameter* parameter :
             {static_cast<KxParameter*>(&inFiveAndTwo), static_cast<KxParameter*>(nullptr),
              static_cast<KxParameter*>(&inFiveAndSeven), static_cast<KxParameter*>(&inNone),
              static_cast<KxParameter*>(&inFiveAndTwo)}) {
            input.append(parameter);
        }
    }
    static void join(TestParameter& parameter, std::initializer_list<short> indexes) {
        KxParameter::GroupIndexList groups;
        for (short index : indexes) {
            groups.append(index);
        }
        parameter.setGroupNameIndexesInternal(groups);
    }
};

TEST_F(ThreeParameters, AGroupFilterPassesItsGroupOrInvertedEverythingElse) {
    std::unique_ptr<KxParameterFilter> filter = std::make_unique<KxParameterGroupFilter>(L"two", 2);
    KxArray<KxParameter*> output;
    output.append(&inNone);

    EXPECT_EQ(filter->filterParameters(input, output), Lumo::eOk);
    // Nulls never pass; a parameter listed twice passes twice.
    EXPECT_THAT(output, ElementsAre(&inFiveAndTwo, &inFiveAndTwo));

    filter->setInvertFilter(true);
    EXPECT_EQ(filter->filterParameters(input, output), Lumo::eOk);
    EXPECT_THAT(output, ElementsAre(&inFiveAndSeven, &inNone));

    EXPECT_EQ(filter->filterParameters(KxArray<KxParameter*>(), output), Lumo::eOk);
    EXPECT_THAT(output, IsEmpty());
}

TEST(GroupFilter, IsRecognisedThroughTheBaseAndRenamesOnlyToANonEmptyName) {
    KxParameterGroupFilter groupFilter(L"walls", -4);
    KxParameterFilter* filter = &groupFilter;
    auto* recognised = dynamic_cast<KxParameterGroupFilter*>(filter);
    ASSERT_EQ(recognised, &groupFilter);
    EXPECT_EQ(recognised->getGroupIndex(), -4);

    KxString name;
    EXPECT_FALSE(groupFilter.renameGroupFilter(L""));
    groupFilter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"walls"));
    EXPECT_TRUE(groupFilter.renameGroupFilter(L"doors"));
    groupFilter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"doors"));
    EXPECT_EQ(groupFilter.getGroupIndex(), -4);
}

} // namespace
