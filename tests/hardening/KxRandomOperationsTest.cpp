// Random sequences of registry and parameter operations, checked after every step against a plain
// model of what the manager, the collections, the parameters and the palette must hold; with
// reactors that enlist others, remove themselves and re-enter the model during their walks.

#include "manager/KxParameterManager.h"
#include "manager/KxParameterManagerReactor.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"
#include "support/TestCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCollections = 3;
constexpr int kParameters = 8;
constexpr auto kTaken = static_cast<Lumo::ErrorStatus>(5);
constexpr auto kLocked = static_cast<Lumo::ErrorStatus>(7);
constexpr auto kRefused = static_cast<Lumo::ErrorStatus>(9);

// A parameter whose group hooks answer as the test sets.
class GroupedParameter : public TestParameter {
public:
    using TestParameter::TestParameter;
    Lumo::ErrorStatus mGroupStatus = Lumo::eOk;

protected:
    Lumo::ErrorStatus addToGroup(const short&, KxString& text) override { return vet(text); }
    Lumo::ErrorStatus removeFromGroup(const short&, KxString& text) override { return vet(text); }

private:
    Lumo::ErrorStatus vet(KxString& message) {
        message = mGroupStatus == Lumo::eOk ? L"" : L"locked";
        return mGroupStatus;
    }
};

// Runs the test's actions from inside the walks of a parameter and of a collection.
struct Reentrant : KxParameterReactor, KxParameterCollectionReactor {
    std::function<void(KxParameter*)> announced, renamed, added;
    void nameWillChange(KxParameter* parameter, const KxString&) override { announced(parameter); }
    void nameChanged(KxParameter* parameter, const KxString&) override { renamed(parameter); }
    void parameterAdded(KxParameter* parameter) override { added(parameter); }
};

template <class T, std::size_t N>
int indexIn(const std::unique_ptr<T> (&objects)[N], const void* object) {
    const auto* found =
        std::find_if(objects, objects + N, [&](auto& o) { return o.get() == object; });
    return found == objects + N ? -1 : static_cast<int>(found - objects);
}

template <class T, std::size_t N, class List>
std::vector<int> indexesIn(const std::unique_ptr<T> (&objects)[N], const List& list) {
    std::vector<int> indexes;
    for (const auto* object : list) {
        indexes.push_back(indexIn(objects, object));
    }
    return indexes;
}

std::string id(char kind, int index) {
    return kind + std::to_string(index);
}

// The objects under test, driven by one seed, beside the model of what they must hold. It is the
// manager's reactor, too, and makes the first collection registered while none is active the
// active one, from inside the walk.
class World : public KxParameterManagerReactor {
public:
    explicit World(unsigned seed) : mRandom(seed) {
        for (int c = 0; c < kCollections; ++c) {
            mCollections[c] = std::make_unique<TestCollection>();
            // Each provider keeps one parameter of its choice out of every deletion.
            mCollections[c]->mCheck = [this, c](KxArray<KxParameter*>& share) {
                KxArray<KxParameter*> deletable;
                for (KxParameter* parameter : share) {
                    if (!keeps(c, indexIn(mParameters, parameter))) {
                        deletable.append(parameter);
                    }
                }
                share = deletable;
            };
        }
        for (auto& parameter : mParameters) {
            parameter = std::make_unique<GroupedParameter>(nullptr, mCollections[0].get());
            parameter->mValidateMessage = L"taken";
        }
        KxParameterManager::destroy();
        mManager = &KxParameterManager::getInstance();
        mProxy->setHost(&mPalette);
        mManager->addReactor(this);
    }
    ~World() override {
        mProxy->setHost(nullptr);
        KxParameterManager::destroy();
    }
    void collectionRegistered(KxParameterCollection* collection) override {
        if (!mManager->getActiveCollection()) {
            mManager->setActiveCollection(collection);
        }
    }
    void step();
    void check();

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(mRandom); }
    Lumo::ErrorStatus refusal(Lumo::ErrorStatus status) {
        return pick(0, 2) == 0 ? status : Lumo::eOk;
    }
    std::wstring someName() { return std::wstring(1, L"abcd"[pick(0, 3)]); }
    static bool keeps(int c, int p) { return p == 2 * c + 1; }
    TestCollection* col(int c) const { return mCollections[c].get(); }
    GroupedParameter* par(int p) const { return mParameters[p].get(); }
    static std::string text(std::string name, const std::string& object,
                            const std::string& arguments) {
        return name + '(' + object + (arguments.empty() ? "" : ", " + arguments) + ')';
    }
    std::string label(const void* object) const {
        for (int c = 0; c < kCollections; ++c) {
            if (object == &col(c)->getParameters()) {
                return id('c', c) + ".list";
            }
        }
        const int p = indexIn(mParameters, object);
        const int c = indexIn(mCollections, object);
        return !object ? "-" : p >= 0 ? id('p', p) : c >= 0 ? id('c', c) : "list";
    }

    // The model's side: what each operation must do to the state, the notices and the palette.
    void call(std::string name, const std::string& object = "-",
              const std::string& arguments = "") {
        if (mAttached) {
            mCalls.push_back(text(std::move(name), object, arguments));
        }
    }
    int observers(int c) const {
        return static_cast<int>(std::count(mRegistered.begin(), mRegistered.end(), c));
    }
    void modelActivate(int c) {
        mActive = c;
        call("activeCollectionChanged", id('c', c));
    }
    void modelAdd(int c, int p) {
        mLists[c].push_back(p);
        for (int i = 0; i < observers(c); ++i) {
            mObserved[p] = true;
            call("IsVisible");
            if (mPalette.mVisible) {
                call("addParameterDataInUI", id('p', p), "1");
            }
        }
    }
    void modelRefusal(int p, Lumo::ErrorStatus status, const char* message) {
        if (mObserved[p]) {
            call("markInvalidCell");
            call("showErrorTaskDialog", "-", std::to_string(status) + " [" + message + "] []");
        }
    }
    Lumo::ErrorStatus modelText(int p, std::wstring& field, const std::wstring& proposed,
                                Lumo::ErrorStatus status) {
        if (field == proposed) {
            return Lumo::eOk;
        }
        if (status != Lumo::eOk) {
            modelRefusal(p, status, "taken");
            return status;
        }
        field = proposed;
        if (mObserved[p]) {
            call("updateParameterDataInUI", id('p', p));
        }
        return Lumo::eOk;
    }

    std::mt19937 mRandom;
    std::unique_ptr<TestCollection> mCollections[kCollections];
    std::unique_ptr<GroupedParameter> mParameters[kParameters];
    RecordingPalette mPalette;
    KxApParameterManagerESW* mProxy = KxApParameterManagerESW::instance();
    KxParameterManager* mManager = nullptr;
    CImageList mImages;

    std::vector<int> mRegistered;
    int mActive = -1;
    std::vector<int> mLists[kCollections];
    std::wstring mNames[kParameters];
    std::wstring mExpressions[kParameters];
    std::vector<short> mGroups[kParameters];
    bool mObserved[kParameters] = {};
    bool mAttached = true;
    std::vector<std::string> mCalls;
};

void World::check() {
    EXPECT_EQ(indexesIn(mCollections, mManager->getCollections()), mRegistered);
    EXPECT_EQ(indexIn(mCollections, mManager->getActiveCollection()), mActive);
    std::vector<int> all;
    for (int c = 0; c < kCollections; ++c) {
        EXPECT_EQ(indexesIn(mParameters, col(c)->getParameters()), mLists[c]) << id('c', c);
    }
    for (int c : mRegistered) {
        all.insert(all.end(), mLists[c].begin(), mLists[c].end());
    }
    KxArray<KxParameter*> listed;
    mManager->getParameters(listed);
    EXPECT_EQ(indexesIn(mParameters, listed), all);
    for (int p = 0; p < kParameters; ++p) {
        KxParameter::GroupIndexList groups;
        par(p)->getGroupNameIndexes(groups);
        EXPECT_EQ(par(p)->getName().wstr(), mNames[p]) << id('p', p);
        EXPECT_EQ(par(p)->getExpression().wstr(), mExpressions[p]) << id('p', p);
        EXPECT_EQ(std::vector<short>(groups.begin(), groups.end()), mGroups[p]) << id('p', p);
    }
    std::vector<std::string> heard;
    for (const RecordingPalette::Call& call : mPalette.mCalls) {
        heard.push_back(text(call.name, label(call.object), call.arguments));
    }
    EXPECT_EQ(heard, mCalls);
    mPalette.mCalls.clear();
    mCalls.clear();
}

void World::step() {
    const int c = pick(0, kCollections - 1);
    const int p = pick(0, kParameters - 1);
    const int q = (p + pick(1, kParameters - 1)) % kParameters;
    int operation = pick(0, 13);
    if (operation == 0 && mRegistered.size() >= 5) {
        operation = 1; // a few registrations, duplicates among them, and not many more
    }
    switch (operation) {
    case 0:
        EXPECT_EQ(mManager->registerCollection(col(c), mImages), Lumo::eOk);
        mRegistered.push_back(c);
        call("SetImageListAndIndexPair", id('c', c),
             std::to_string(reinterpret_cast<std::uintptr_t>(&mImages)));
        call("setFilterLock", "-", "true");
        for (int listed : mLists[c]) {
            mObserved[listed] = true;
            call("addParameterDataInUI", id('p', listed), "0");
        }
        call("setFilterLock", "-", "false");
        if (mActive < 0) {
            modelActivate(c);
        }
        break;
    case 1: {
        const auto entry = std::find(mRegistered.begin(), mRegistered.end(), c);
        EXPECT_EQ(mManager->unRegisterCollection(col(c)),
                  entry == mRegistered.end() ? Lumo::eInvalidInput : Lumo::eOk);
        if (entry != mRegistered.end()) {
            mRegistered.erase(entry);
        }
        call("deleteParameterDataInUI", id('c', c) + ".list", std::to_string(mLists[c].size()));
        mActive = mActive == c ? -1 : mActive;
        break;
    }
    case 2:
        EXPECT_EQ(mManager->setActiveCollection(col(c)), Lumo::eOk);
        modelActivate(c);
        break;
    case 3:
    case 4: { // to a collection, or through the manager to the active one
        KxParameter* parameter = par(p);
        const int target = operation == 3 ? c : mActive;
        EXPECT_EQ(operation == 3 ? col(c)->addParameter(parameter)
                                 : mManager->addParameter(parameter),
                  target < 0 ? Lumo::eNotActive : Lumo::eOk);
        if (target >= 0) {
            modelAdd(target, p);
        }
        break;
    }
    case 5:
    case 6: {
        const bool name = operation == 5;
        const std::wstring proposed = name ? someName() : L"x+" + someName();
        par(p)->mValidateStatus = refusal(kTaken);
        const Lumo::ErrorStatus status =
            name ? par(p)->setName(KxString(proposed)) : par(p)->setExpression(KxString(proposed));
        EXPECT_EQ(status, modelText(p, name ? mNames[p] : mExpressions[p], proposed,
                                    par(p)->mValidateStatus));
        break;
    }
    case 7: {
        const short group = static_cast<short>(pick(0, 3));
        const bool join = pick(0, 1) == 0;
        par(p)->mGroupStatus = refusal(kLocked);
        KxParameter& parameter = *par(p);
        const Lumo::ErrorStatus status =
            join ? parameter.addToGroup(group) : parameter.removeFromGroup(group);
        const auto found = std::find(mGroups[p].begin(), mGroups[p].end(), group);
        const bool change = join == (found == mGroups[p].end());
        EXPECT_EQ(status, change ? par(p)->mGroupStatus : Lumo::eOk);
        if (change && status != Lumo::eOk) {
            modelRefusal(p, status, "locked");
        } else if (change) {
            join ? mGroups[p].push_back(group) : static_cast<void>(mGroups[p].erase(found));
            if (mObserved[p]) {
                call("updateCurrentGroupDataInUI", id('p', p));
            }
        }
        break;
    }
    case 8:
    case 9: { // foreign parameters and duplicates included
        std::vector<int> input;
        KxArray<KxParameter*> listed;
        for (int n = pick(1, 4); n > 0; --n) {
            input.push_back(pick(0, kParameters - 1));
            listed.append(par(input.back()));
        }
        for (const auto& collection : mCollections) {
            collection->mCheckStatus = refusal(kRefused);
        }
        mManager->deleteParameters(listed);
        for (int visited : mRegistered) {
            std::vector<int>& list = mLists[visited];
            std::vector<int> share;
            for (int entry : input) {
                if (std::count(list.begin(), list.end(), entry) && !keeps(visited, entry)) {
                    share.push_back(entry);
                }
            }
            if (col(visited)->mCheckStatus != Lumo::eOk || share.empty()) {
                continue;
            }
            call("cancelCurrentEdit");
            if (share.size() > 1) {
                call("setESWLockUpdate", "-", "true");
            }
            for (int i = 0; i < observers(visited); ++i) {
                call("isListControlDeleted");
                if (mPalette.mListControlDeleted) {
                    call("deleteParameterDataInUI", "list", std::to_string(share.size()));
                }
            }
            if (share.size() > 1) {
                call("setESWLockUpdate", "-", "false");
            }
            for (int entry : share) { // an entry listed more often than held goes once
                const auto held = std::find(list.begin(), list.end(), entry);
                if (held != list.end()) {
                    list.erase(held);
                }
            }
        }
        break;
    }
    case 10: // the palette changes its answers, or goes away for a while
        mPalette.mVisible = pick(0, 1) == 1;
        mPalette.mListControlDeleted = pick(0, 1) == 1;
        mAttached = c != 0;
        mProxy->setHost(mAttached ? &mPalette : nullptr);
        break;
    case 11: { // p renamed; from inside the walk a reactor enlists `late`, renames q, leaves
        const std::wstring proposed = someName();
        const std::wstring echoed = someName();
        EventLog heard;
        RecordingReactor late("late", heard);
        Reentrant echo;
        Lumo::ErrorStatus echoStatus = Lumo::eOk;
        echo.announced = [&](KxParameter* parameter) { parameter->addReactor(&late); };
        echo.renamed = [&](KxParameter* parameter) {
            echoStatus = par(q)->setName(KxString(echoed));
            parameter->removeReactor(&echo);
        };
        par(p)->addReactor(&echo);
        par(p)->mValidateStatus = refusal(kTaken);
        par(q)->mValidateStatus = refusal(kTaken);
        const bool differs = mNames[p] != proposed;
        const bool accepted = differs && par(p)->mValidateStatus == Lumo::eOk;
        EXPECT_EQ(par(p)->setName(KxString(proposed)),
                  modelText(p, mNames[p], proposed, par(p)->mValidateStatus));
        if (accepted) {
            EXPECT_EQ(echoStatus, modelText(q, mNames[q], echoed, par(q)->mValidateStatus));
        }
        // Enlisted during the announcement, `late` hears it; it misses nameChanged, having moved
        // into the place of the echo as that removed itself.
        EventLog expected;
        if (differs) {
            expected.push_back("late: nameWillChange " + KxString(proposed).toUtf8());
        }
        if (differs && !accepted) {
            expected.push_back("late: modificationFailed 5 [taken] []");
        }
        EXPECT_EQ(heard, expected);
        EXPECT_EQ(par(p)->removeReactor(&echo), accepted ? Lumo::eInvalidInput : Lumo::eOk);
        EXPECT_EQ(par(p)->removeReactor(&late), differs        ? Lumo::eOk
                                                : mObserved[p] ? Lumo::eInvalidInput
                                                               : Lumo::eEmptyList);
        break;
    }
    default: { // p added; from inside the walk a reactor enlists `late` and adds q
        EventLog heard;
        RecordingCollectionReactor late("late", heard);
        Reentrant feeder;
        feeder.added = [&](KxParameter* parameter) {
            if (parameter == par(p)) {
                col(c)->addReactor(&late);
                col(c)->addParameter(par(q));
            }
        };
        col(c)->addReactor(&feeder);
        EXPECT_EQ(col(c)->addParameter(par(p)), Lumo::eOk);
        modelAdd(c, p);
        modelAdd(c, q);
        // `late` hears q's addition, and p's, during which it was enlisted.
        EXPECT_EQ(heard, EventLog(2, "late: parameterAdded"));
        EXPECT_EQ(col(c)->removeReactor(&feeder), Lumo::eOk);
        EXPECT_EQ(col(c)->removeReactor(&late), Lumo::eOk);
    }
    }
}

TEST(RandomOperations, TheObjectsAgreeWithTheModelAfterEveryStep) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        World world(seed);
        for (int step = 0; step < 2000 && !HasFailure(); ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            world.step();
            world.check();
        }
    }
}

} // namespace
