#include "collections/internal/KxParameterListMatching.h"

#include <algorithm>
#include <bit>

void removeFirstOccurrences(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed) {
    if (list.isEmpty() || removed.isEmpty()) {
        return;
    }
    // How many first occurrences of each pointer are still to go. Counted before `list` changes,
    // so that `removed` may be `list` itself.
    std::unordered_map<const KxParameter*, int, KxParameterAddressHash> toGo;
    toGo.max_load_factor(kKxListMatchingLoadFactor);
    toGo.reserve(removed.size());
    for (const KxParameter* parameter : removed) {
        ++toGo[parameter];
    }
    // Once as many entries are gone as `removed` has, the rest only moves down.
    std::size_t left = removed.size();
    const int length = list.length();
    int kept = 0;
    int i = 0;
    for (; i < length && left > 0; ++i) {
        KxParameter* parameter = list[i];
        const auto found = toGo.find(parameter);
        if (found != toGo.end() && found->second > 0) {
            --found->second;
            --left;
        } else {
            list[kept++] = parameter;
        }
    }
    for (; i < length; ++i) {
        list[kept++] = list[i];
    }
    list.setLogicalLength(kept);
}

KxListedParameters::KxListedParameters(const KxArray<KxParameter*>& listed)
    : mListed(listed.begin(), listed.end()), mFirstOf(mListed.size()),
      mNextOf(mListed.size(), kNone), mCounts(mListed.size(), 0), mHeldInVisit(mListed.size(), 0) {
    mFirstPositions.max_load_factor(kKxListMatchingLoadFactor);
    mFirstPositions.reserve(mListed.size());
    // At the first position of each pointer: the position where the list names it last so far.
    std::vector<Position> lastOf(mListed.size());
    const auto length = static_cast<Position>(mListed.size());
    for (Position position = 0; position < length; ++position) {
        const auto [entry, isNew] = mFirstPositions.try_emplace(mListed[position], position);
        const Position first = entry->second;
        if (!isNew) {
            mNextOf[lastOf[first]] = position;
        }
        lastOf[first] = position;
        mFirstOf[position] = first;
        ++mCounts[first];
    }
}

void KxListedParameters::appendHeldEntries(const KxArray<KxParameter*>& held,
                                           KxArray<KxParameter*>& share) {
    if (mListed.empty() || held.isEmpty()) {
        return;
    }
    if (++mVisit == 0) { // after 2^32 visits: no mark may look like one of the new visit
        std::fill(mHeldInVisit.begin(), mHeldInVisit.end(), 0);
        mVisit = 1;
    }
    mFound.clear();
    std::size_t shareLength = 0;
    for (const KxParameter* parameter : held) {
        const auto found = mFirstPositions.find(parameter);
        if (found != mFirstPositions.end() && mHeldInVisit[found->second] != mVisit) {
            mHeldInVisit[found->second] = mVisit;
            mFound.push_back(found->second);
            shareLength += mCounts[found->second];
        }
    }
    if (shareLength == 0) {
        return;
    }
    // A share much shorter than the list is put in order by sorting its positions; a longer one
    // by one pass over the list.
    if (shareLength * static_cast<std::size_t>(std::bit_width(shareLength)) < mListed.size()) {
        mPositions.clear();
        for (Position first : mFound) {
            for (Position position = first; position != kNone; position = mNextOf[position]) {
                mPositions.push_back(position);
            }
        }
        std::sort(mPositions.begin(), mPositions.end());
        for (Position position : mPositions) {
            share.append(mListed[position]);
        }
        return;
    }
    for (std::size_t position = 0; position < mListed.size(); ++position) {
        if (mHeldInVisit[mFirstOf[position]] == mVisit) {
            share.append(mListed[position]);
        }
    }
}
