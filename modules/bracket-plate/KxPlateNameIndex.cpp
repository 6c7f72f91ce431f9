#include "KxPlateNameIndex.h"

#include <string_view>

namespace {

constexpr std::wstring_view kParamPrefix = L"param";

// The K of a name "paramK" (K from 1, written without leading zeros), or 0 for any other name.
int paramNumber(const std::wstring& name) {
    if (name.size() <= kParamPrefix.size() || name.size() > kParamPrefix.size() + 9 ||
        name.compare(0, kParamPrefix.size(), kParamPrefix) != 0 ||
        name[kParamPrefix.size()] == L'0') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = kParamPrefix.size(); i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9') {
            return 0;
        }
        number = number * 10 + (name[i] - L'0');
    }
    return number;
}

std::wstring paramName(int number) {
    return std::wstring(kParamPrefix) + std::to_wstring(number);
}

// A listed parameter joins its name's listed ones; the name names it when it named none.
void join(KxPlateParameter& parameter, KxPlateName& named) {
    if (named.listed++ == 0 || !named.parameter) {
        named.parameter = &parameter;
    }
}

} // namespace

void KxPlateNameIndex::dropIfUnused(KxPlateName& named, const std::wstring& name) {
    if (named.owned == 0 && named.listed == 0 && named.users.empty()) {
        mNames.erase(name);
    }
}

void KxPlateNameIndex::carry(KxPlateParameter& parameter, const std::wstring& name) {
    KxPlateName& named = record(name);
    parameter.mpNameRecord = &named;
    ++named.owned;
    if (parameter.mListed > 0) {
        join(parameter, named);
    }
}

void KxPlateNameIndex::drop(KxPlateParameter& parameter, const std::wstring& name) {
    // A copy: `name` may be the parameter's own, about to change.
    const std::wstring kept = name; // NOLINT(performance-unnecessary-copy-initialization)
    KxPlateName& named = *parameter.mpNameRecord;
    parameter.mpNameRecord = nullptr;
    --named.owned;
    if (parameter.mListed > 0) {
        leave(parameter, named);
    }
    if (named.owned == 0) {
        nameFreed(kept);
    }
    dropIfUnused(named, kept);
}

void KxPlateNameIndex::addListed(KxPlateParameter& parameter) {
    join(parameter, *parameter.mpNameRecord);
}

void KxPlateNameIndex::removeListed(const KxPlateParameter& parameter) {
    leave(parameter, *parameter.mpNameRecord);
}

bool KxPlateNameIndex::isTaken(const std::wstring& name, const KxPlateParameter* except) const {
    const KxPlateName* named = find(name);
    if (!named) {
        return false;
    }
    const int self = except && except->getName().wstr() == name ? 1 : 0;
    return named->owned - self > 0;
}

std::wstring KxPlateNameIndex::takeFreeName() {
    while (!mFreeNumbers.empty()) {
        const int number = mFreeNumbers.top();
        mFreeNumbers.pop();
        if (!isTaken(paramName(number), nullptr)) {
            return paramName(number);
        }
    }
    while (isTaken(paramName(mNextNumber), nullptr)) {
        ++mNextNumber;
    }
    return paramName(mNextNumber++);
}

void KxPlateNameIndex::leave(const KxPlateParameter& parameter, KxPlateName& named) {
    --named.listed;
    if (named.parameter != &parameter) {
        return;
    }
    // Another listed parameter of that name, the earliest listed, is the one named now.
    named.parameter = nullptr;
    if (named.listed == 0) {
        return;
    }
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned.get() != &parameter && owned->mListed > 0 && owned->mpNameRecord == &named &&
            (!named.parameter || owned->mListOrder < named.parameter->mListOrder)) {
            named.parameter = owned.get();
        }
    }
}

void KxPlateNameIndex::nameFreed(const std::wstring& name) {
    const int number = paramNumber(name);
    if (number > 0 && number < mNextNumber) {
        mFreeNumbers.push(number);
    }
}
