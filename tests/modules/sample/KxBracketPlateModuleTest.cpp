// The sample provider loaded through the host's own loader: it publishes the plate with the
// manager while it is loaded and withdraws it when it is unloaded.

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "host/KxModuleLoader.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/HostSession.h"
#include "support/RecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = RecordingPalette::Call;

namespace {

constexpr const wchar_t* kModule = L"KxBracketPlate.dlx";

// A manager whose palette is a recording one. The manager comes first: creating it loads whatever
// palette module the module directories offer (none in a plain build tree, which the host reports
// on the error stream), and that palette would attach itself in place of the recording one.
struct PlateModule : HostSession {
    RecordingPalette palette;
    KxParameterManager* manager = nullptr;

    void SetUp() override {
        KxParameterManager::destroy();
        ASSERT_TRUE(kxrxAddModuleDirectory(KX_BIN_DIR));
        connect();
    }
    void TearDown() override {
        if (kxrxAppIsLoaded(kModule)) {
            kxrxUnloadModule(kModule);
        }
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
    KxParameterCollection* collection = manager->getCollections()[0];
    EXPECT_EQ(collection->collectionName(), KxString(L"Bracket plate"));
    EXPECT_EQ(manager->getActiveCollection(), collection);
    KxParameterGroupCollection* groups = manager->getActiveGroupCollection();
    ASSERT_NE(groups, nullptr);
    KxArray<KxString> groupNames;
    groups->getParameterGroups(groupNames);
    EXPECT_THAT(groupNames, ElementsAre(KxString(L"outline"), KxString(L"holes")));

    const KxArray<KxParameter*>& parameters = collection->getParameters();
    ASSERT_EQ(parameters.length(), 7);
    EXPECT_THAT(palette.names(),
                ElementsAre("repopulateGroupDataInUI", "SetImageListAndIndexPair", "setFilterLock",
                            "addParameterDataInUI", "addParameterDataInUI", "addParameterDataInUI",
                            "addParameterDataInUI", "addParameterDataInUI", "addParameterDataInUI",
                            "addParameterDataInUI", "setFilterLock", "activeCollectionChanged",
                            "repopulateGroupDataInUI", "hideFilterTree"));
    EXPECT_EQ(palette.mCalls.back(), (Call{"hideFilterTree", nullptr, "false"}));

    // The drawing went into a new document, one entity for the plate and one per parameter.
    KxApDocument* document = kxDocManagerPtr()->curDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->name(), KxString(L"Plate"));
    EXPECT_EQ(document->database()->objectCount(), 8);
    std::vector<KxDbObjectId> entities;
    for (KxParameter* parameter : parameters) {
        entities.emplace_back();
        parameter->getEntityId(entities.back());
        EXPECT_TRUE(entities.back().isValid());
    }

    // The manager's observer stands on every parameter: a change and its dependents reach the
    // palette.
    palette.mCalls.clear();
    KxParameter* width = parameters[0];
    ASSERT_EQ(width->getName(), KxString(L"width"));
    EXPECT_EQ(width->setExpression(L"150"), Lumo::eOk);
    EXPECT_THAT(palette.mCalls, ElementsAre(Call{"updateParameterDataInUI", parameters[1], ""},
                                            Call{"updateParameterDataInUI", parameters[6], ""},
                                            Call{"updateParameterDataInUI", width, ""}));

    palette.mCalls.clear();
    EXPECT_TRUE(kxrxUnloadModule(kModule));
    EXPECT_FALSE(kxrxAppIsLoaded(kModule));
    EXPECT_THAT(manager->getCollections(), IsEmpty());
    EXPECT_EQ(manager->getActiveCollection(), nullptr);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(palette.names(),
                ElementsAre("deleteParameterDataInUI", "resetSearchPattern", "hideFilterTree"));
    for (const KxDbObjectId& entity : entities) {
        EXPECT_FALSE(entity.isValid());
    }
}

TEST_F(PlateModule, UnloadsAfterTheManagerIsGoneAndLoadsAgain) {
    ASSERT_TRUE(kxrxLoadModule(kModule, false, true));
    KxParameterManager::destroy();
    EXPECT_TRUE(kxrxUnloadModule(kModule));

    connect();
    ASSERT_TRUE(kxrxLoadModule(kModule, false, true));
    EXPECT_EQ(manager->getCollections().length(), 1);
    EXPECT_NE(manager->getActiveGroupCollection(), nullptr);
    EXPECT_TRUE(kxrxUnloadModule(kModule));
    EXPECT_THAT(manager->getCollections(), IsEmpty());
}

} // namespace
