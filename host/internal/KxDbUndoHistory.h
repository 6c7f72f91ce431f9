#pragma once

#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class KxDbDatabase;
class KxDbObject;

// A database's undo history: closed groups to undo and to redo, the group being recorded, and the
// mark of the state that was last saved. An object is recorded once per group, at its first
// change: its erased flag, and its fields when it is opened for write. Undo and redo swap each
// recorded image with the object's present one, so that the same entries serve both ways.
class KxDbUndoHistory {
public:
    explicit KxDbUndoHistory(KxDbDatabase& database);

    void begin(const KxString& name);
    Lumo::ErrorStatus end();
    int depth() const { return mDepth; }
    bool hasPendingChanges() const { return !mPending.entries.empty(); }

    void recordWrite(KxDbObject& object);
    void recordAdd(const KxDbObject& object);
    void recordErase(const KxDbObject& object);
    // A change that the history cannot take back: the saved state can no longer be reached.
    void recordLoss();

    Lumo::ErrorStatus undo();
    Lumo::ErrorStatus redo();
    int undoCount() const { return static_cast<int>(mPosition); }
    int redoCount() const { return static_cast<int>(mGroups.size() - mPosition); }
    KxString undoName() const;
    KxString redoName() const;

    void setLimits(std::size_t bytes, int groups);
    std::size_t memoryLimit() const { return mMaxBytes; }
    int groupLimit() const { return mMaxGroups; }
    std::size_t memory() const { return mBytes; }
    static void setDefaultLimits(std::size_t bytes, int groups);
    static std::size_t defaultMemoryLimit();
    static int defaultGroupLimit();

    bool isModified() const;
    // The present state is the saved one.
    void markClean();
    // Forgets every group, open or closed, and calls the present state the saved one.
    void clear();

private:
    struct Image {
        bool erased = false;
        bool hasFields = false;
        int version = 0;
        std::string fields;
    };
    struct Entry {
        std::uint64_t handle = 0;
        bool added = false;
        Image image;
    };
    struct Group {
        KxString name;
        std::vector<Entry> entries;
        std::unordered_map<std::uint64_t, std::size_t> index;
        std::size_t bytes = 0;
    };
    enum class Notice { none, modified, erased, unerased };

    Entry* pendingEntry(const KxDbObject& object, bool added);
    static Lumo::ErrorStatus captureFields(const KxDbObject& object, Image& image);
    void commit();
    Lumo::ErrorStatus apply(bool undoing);
    Notice swap(Entry& entry, Lumo::ErrorStatus& status);
    static std::size_t sizeOf(const Entry& entry);
    static std::size_t sizeOf(const Group& group);
    void trim();
    std::uint64_t present() const { return mBase + mPosition; }

    KxDbDatabase& mDatabase;
    std::deque<Group> mGroups;
    std::size_t mPosition = 0; // the groups before it are done, those from it on undone
    std::uint64_t mBase = 0; // the groups trimmed from the bottom, so that positions stay absolute
    std::optional<std::uint64_t> mClean = 0;
    Group mPending;
    int mDepth = 0;
    bool mbApplying = false;
    std::size_t mBytes = 0;
    std::size_t mMaxBytes;
    int mMaxGroups;
};
