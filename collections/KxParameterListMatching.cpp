#include "collections/KxParameterListMatching.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

std::uintptr_t addressOf(const KxParameter* parameter) {
    return reinterpret_cast<std::uintptr_t>(parameter);
}

// A set of the parameters of one list as one bit per address that a parameter between the lowest
// and the highest of them may have. The parameters of a list lie close together in memory, so the
// table is small: unlike a hash table it needs no allocation per entry and stays in the
// processor's cache for lists far longer than a hash table could.
class AddressTable {
public:
    // The table is not usable (`usable()` false) when a pointer is null or the addresses are
    // spread so far that it would take more than 64 bits per entry of `entries`.
    AddressTable(const KxArray<KxParameter*>& range, std::size_t entries) {
        if (range.isEmpty()) {
            return;
        }
        mLowest = addressOf(range[0]);
        mHighest = mLowest;
        for (const KxParameter* parameter : range) {
            if (!parameter) {
                return;
            }
            mLowest = std::min(mLowest, addressOf(parameter));
            mHighest = std::max(mHighest, addressOf(parameter));
        }
        std::uintptr_t offsets = 0;
        for (const KxParameter* parameter : range) {
            offsets |= addressOf(parameter) - mLowest;
        }
        // Objects share their alignment: the low bits that no offset uses are left out.
        mAlignment = offsets == 0 ? 0 : std::countr_zero(offsets);
        const std::uint64_t slots = ((mHighest - mLowest) >> mAlignment) + 1;
        if (slots / 64 > entries) {
            return;
        }
        mWords.assign(static_cast<std::size_t>((slots + 63) / 64), 0);
        mUsable = true;
    }

    bool usable() const { return mUsable; }

    // Whether the parameter could stand in the range the table was made for.
    bool covers(const KxParameter* parameter) const {
        const std::uintptr_t address = addressOf(parameter);
        return address >= mLowest && address <= mHighest &&
               ((address - mLowest) & ((std::uintptr_t{1} << mAlignment) - 1)) == 0;
    }

    // The parameter must be covered.
    bool test(const KxParameter* parameter) const {
        return (word(parameter) & bit(parameter)) != 0;
    }
    void set(const KxParameter* parameter) { word(parameter) |= bit(parameter); }
    void clear(const KxParameter* parameter) { word(parameter) &= ~bit(parameter); }

private:
    std::uint64_t slot(const KxParameter* parameter) const {
        return (addressOf(parameter) - mLowest) >> mAlignment;
    }
    std::uint64_t bit(const KxParameter* parameter) const {
        return std::uint64_t{1} << (slot(parameter) % 64);
    }
    std::uint64_t& word(const KxParameter* parameter) {
        return mWords[static_cast<std::size_t>(slot(parameter) / 64)];
    }
    const std::uint64_t& word(const KxParameter* parameter) const {
        return mWords[static_cast<std::size_t>(slot(parameter) / 64)];
    }

    std::uintptr_t mLowest = 0;
    std::uintptr_t mHighest = 0;
    int mAlignment = 0;
    std::vector<std::uint64_t> mWords;
    bool mUsable = false;
};

// Counts of parameter pointers in one flat table with open addressing: one allocation for the
// whole table and no pointer to follow, for lists whose parameters lie too far apart for an
// address table.
class PointerCounts {
public:
    explicit PointerCounts(std::size_t entries) {
        std::size_t capacity = 16;
        while (capacity < 2 * entries) {
            capacity *= 2;
        }
        mShift = 64 - std::countr_zero(capacity);
        mKeys.assign(capacity, 0);
        mCounts.assign(capacity, 0);
    }

    void add(const KxParameter* parameter) { ++*slotOf(parameter, true); }

    // Whether the parameter's count is above 0.
    bool contains(const KxParameter* parameter) {
        const int* times = slotOf(parameter, false);
        return times && *times > 0;
    }

    // Takes one away from the parameter's count; false, changing nothing, when it is 0.
    bool take(const KxParameter* parameter) {
        int* times = slotOf(parameter, false);
        if (!times || *times == 0) {
            return false;
        }
        --*times;
        return true;
    }

private:
    // The count of the parameter; null for a parameter not in the table unless `insert`.
    int* slotOf(const KxParameter* parameter, bool insert) {
        if (!parameter) {
            return &mNullCount; // the null address marks the empty slots
        }
        const std::uintptr_t key = addressOf(parameter);
        const std::size_t mask = mKeys.size() - 1;
        std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> mShift);
        while (mKeys[slot] != 0 && mKeys[slot] != key) {
            slot = (slot + 1) & mask;
        }
        if (mKeys[slot] == 0) {
            if (!insert) {
                return nullptr;
            }
            mKeys[slot] = key;
        }
        return &mCounts[slot];
    }

    std::vector<std::uintptr_t> mKeys;
    std::vector<int> mCounts;
    int mShift = 0;
    int mNullCount = 0;
};

void removeCounted(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed) {
    PointerCounts times(removed.size());
    for (const KxParameter* parameter : removed) {
        times.add(parameter);
    }
    int kept = 0;
    for (int i = 0; i < list.length(); ++i) {
        KxParameter* parameter = list[i];
        if (!times.take(parameter)) {
            list[kept++] = parameter;
        }
    }
    list.setLogicalLength(kept);
}

// A bit counts no further than one: false, having changed nothing, when `removed` names a
// pointer twice.
bool removeByTable(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed,
                   AddressTable& named) {
    for (const KxParameter* parameter : removed) {
        if (!parameter) {
            return false;
        }
        if (named.covers(parameter)) {
            if (named.test(parameter)) {
                return false;
            }
            named.set(parameter);
        }
    }
    // A named parameter takes away its first entry only: its bit is cleared there.
    int kept = 0;
    for (int i = 0; i < list.length(); ++i) {
        KxParameter* parameter = list[i];
        if (named.test(parameter)) {
            named.clear(parameter);
        } else {
            list[kept++] = parameter;
        }
    }
    list.setLogicalLength(kept);
    return true;
}

} // namespace

void removeFirstOccurrences(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed) {
    if (list.isEmpty() || removed.isEmpty()) {
        return;
    }
    AddressTable named(list, list.size() + removed.size());
    if (!named.usable() || !removeByTable(list, removed, named)) {
        removeCounted(list, removed);
    }
}

void appendHeldEntries(const KxArray<KxParameter*>& listed, const KxArray<KxParameter*>& held,
                       KxArray<KxParameter*>& share) {
    if (listed.isEmpty() || held.isEmpty()) {
        return;
    }
    AddressTable table(held, listed.size() + held.size());
    if (table.usable()) {
        for (const KxParameter* parameter : held) {
            table.set(parameter);
        }
        for (KxParameter* parameter : listed) {
            if (parameter && table.covers(parameter) && table.test(parameter)) {
                share.append(parameter);
            }
        }
        return;
    }
    PointerCounts members(held.size());
    for (const KxParameter* parameter : held) {
        members.add(parameter);
    }
    for (KxParameter* parameter : listed) {
        if (members.contains(parameter)) {
            share.append(parameter);
        }
    }
}
