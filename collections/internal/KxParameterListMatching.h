#pragma once

#include "host/KxArray.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class KxParameter;

// Matching of parameter lists with one standard hash table: time in proportion to the entries
// involved, whatever the addresses of the parameters. Each table is sized up front for at most
// one entry per two buckets: a pointer that the table lacks then mostly meets an empty bucket and
// reads no entry, which keeps a pass over a long list from waiting on memory.
inline constexpr float kKxListMatchingLoadFactor = 0.5f;

// The hash of a parameter's address, without the low bits that every object's address shares:
// parameters made one after another then fall into nearby buckets, and a pass over a list in that
// order reads the buckets nearly in sequence. Distinct parameters (each spans more than 16 bytes)
// still hash apart.
struct KxParameterAddressHash {
    std::size_t operator()(const KxParameter* parameter) const noexcept {
        return reinterpret_cast<std::uintptr_t>(parameter) / 16;
    }
};

// Removes from `list`, for each pointer, as many of its first occurrences as `removed` names it,
// and keeps the order of the rest: exactly what removing the first occurrence of each entry of
// `removed`, one by one, would leave. Pointers of `removed` that `list` lacks are skipped. One
// pass over each list; `removed` may be `list` itself.
void removeFirstOccurrences(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed);

// A list of parameters to delete, looked up once and then matched against the lists of several
// collections: each gets its share, the entries of the list that it holds.
class KxListedParameters {
public:
    // Takes a copy of the list: the caller's list may change while the shares are handed out.
    explicit KxListedParameters(const KxArray<KxParameter*>& listed);

    // Appends to `share`, in the order of the list and as often as the list names them, the
    // entries that `held` holds. Costs one pass over `held` and, at most, one over the list.
    void appendHeldEntries(const KxArray<KxParameter*>& held, KxArray<KxParameter*>& share);

private:
    // A position in the list: below the length of a KxArray, so below 2^31.
    using Position = std::uint32_t;
    static constexpr Position kNone = UINT32_MAX;

    // The listed pointers, in their order.
    std::vector<KxParameter*> mListed;
    // Each distinct pointer, to the position where the list names it first.
    std::unordered_map<const KxParameter*, Position, KxParameterAddressHash> mFirstPositions;
    // For each position: where the list names the same pointer first, and where next (kNone at
    // the last naming).
    std::vector<Position> mFirstOf;
    std::vector<Position> mNextOf;
    // At the first position of each pointer: how often the list names it.
    std::vector<Position> mCounts;
    // At the first position of each pointer: the visit that last found it held.
    std::vector<std::uint32_t> mHeldInVisit;
    std::uint32_t mVisit = 0;
    // Per visit: the first positions of the pointers found held, and the positions to hand out.
    std::vector<Position> mFound;
    std::vector<Position> mPositions;
};
