#include "KxPlateDependencyGraph.h"

#include <algorithm>
#include <deque>
#include <queue>
#include <unordered_map>
#include <utility>

using Use = KxPlateName::Use;

void KxPlateDependencyGraph::addUses(KxPlateParameter& parameter,
                                     std::vector<KxPlateParameter*>* counted) {
    const std::vector<std::wstring>& names = parameter.mCompiled.variables();
    parameter.mUseSlots.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        KxPlateName& named = mNames.record(names[i]);
        parameter.mUseSlots[i] = {&named, static_cast<int>(named.users.size())};
        named.users.push_back({&parameter, static_cast<int>(i)});
        if (counted && named.parameter) {
            counted->push_back(named.parameter);
        }
    }
}

void KxPlateDependencyGraph::removeUses(KxPlateParameter& parameter,
                                        std::vector<KxPlateParameter*>* counted) {
    const std::vector<std::wstring>& names = parameter.mCompiled.variables();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const KxPlateParameter::UseSlot slot = parameter.mUseSlots[i];
        KxPlateName& named = *slot.name;
        // The last use takes the place of the removed one.
        const Use last = named.users.back();
        named.users[static_cast<std::size_t>(slot.position)] = last;
        last.user->mUseSlots[static_cast<std::size_t>(last.variable)].position = slot.position;
        named.users.pop_back();
        if (counted && named.parameter) {
            counted->push_back(named.parameter);
        }
        mNames.dropIfUnused(named, names[i]);
    }
    parameter.mUseSlots.clear();
}

std::vector<KxPlateParameter*>
KxPlateDependencyGraph::usersInListOrder(const std::wstring& name,
                                         const KxPlateParameter* except) const {
    std::vector<KxPlateParameter*> users;
    const KxPlateName* named = mNames.find(name);
    if (!named) {
        return users;
    }
    for (const Use& use : named->users) {
        if (use.user != except) {
            users.push_back(use.user);
        }
    }
    std::sort(users.begin(), users.end(), [](const KxPlateParameter* a, const KxPlateParameter* b) {
        return a->mListOrder < b->mListOrder;
    });
    return users;
}

std::unordered_set<const KxParameter*>
KxPlateDependencyGraph::namedFromOutside(const std::vector<KxPlateParameter*>& offered,
                                         std::uint32_t mark) const {
    std::unordered_set<const KxParameter*> needed;
    std::deque<const KxPlateParameter*> pending;
    for (const KxPlateParameter* candidate : offered) {
        const KxPlateName* named = candidate->mpNameRecord;
        if (named->parameter != candidate) {
            continue;
        }
        const bool used = std::any_of(named->users.begin(), named->users.end(),
                                      [&](const Use& use) { return use.user->mMark != mark; });
        if (used && needed.insert(candidate).second) {
            pending.push_back(candidate);
        }
    }
    // What a needed parameter names among the offered ones is needed in turn.
    while (!pending.empty()) {
        const KxPlateParameter* keeper = pending.front();
        pending.pop_front();
        for (const KxPlateParameter::UseSlot& slot : keeper->mUseSlots) {
            KxPlateParameter* named = slot.name->parameter;
            if (named && named->mMark == mark && needed.insert(named).second) {
                pending.push_back(named);
            }
        }
    }
    return needed;
}

std::vector<KxPlateParameter*> KxPlateDependencyGraph::dependents(KxPlateParameter& parameter) {
    // Breadth first over the users, counting on the way the edges between two dependents, which
    // is what the ordering needs.
    std::vector<KxPlateParameter*> reached;
    const std::uint32_t mark = nextMark();
    parameter.mMark = mark;
    const KxPlateParameter* from = &parameter;
    for (std::size_t next = 0;;) {
        const KxPlateName* named = from->mpNameRecord;
        if (named && named->parameter == from) {
            for (const Use& use : named->users) {
                KxPlateParameter* user = use.user;
                if (user->mMark != mark) {
                    user->mMark = mark;
                    user->mWaiting = 0;
                    reached.push_back(user);
                }
                if (from != &parameter && user != from && user != &parameter) {
                    ++user->mWaiting;
                }
            }
        }
        if (next == reached.size()) {
            break;
        }
        from = reached[next++];
    }
    parameter.mMark = 0;
    return readyOrder(std::move(reached), mark);
}

std::vector<KxPlateParameter*>
KxPlateDependencyGraph::inDependencyOrder(std::vector<KxPlateParameter*> parameters) {
    const std::uint32_t mark = nextMark();
    for (KxPlateParameter* parameter : parameters) {
        parameter->mMark = mark;
        parameter->mWaiting = 0;
    }
    for (KxPlateParameter* parameter : parameters) {
        for (std::size_t i = 0; i < parameter->mCompiled.variables().size(); ++i) {
            const KxPlateParameter* named = used(*parameter, i);
            if (named && named != parameter && named->mMark == mark) {
                ++parameter->mWaiting;
            }
        }
    }
    return readyOrder(std::move(parameters), mark);
}

KxString KxPlateDependencyGraph::findCycle(const KxPlateParameter& parameter,
                                           const std::vector<std::wstring>& uses) {
    // Breadth first from what the new expression names, so the shortest way back is reported.
    std::unordered_map<const KxPlateParameter*, const KxPlateParameter*> cameFrom;
    std::deque<const KxPlateParameter*> pending;
    auto path = [&](const KxPlateParameter* last) {
        std::vector<const KxPlateParameter*> steps;
        for (const KxPlateParameter* step = last; step != &parameter; step = cameFrom[step]) {
            steps.push_back(step);
        }
        std::wstring text = parameter.getName().wstr();
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            text += L" \u2192 " + (*step)->getName().wstr();
        }
        return KxString(text + L" \u2192 " + parameter.getName().wstr());
    };
    auto visit = [&](const std::wstring& name, const KxPlateParameter* from) -> bool {
        const KxPlateParameter* used = mNames.named(name);
        if (!used) {
            return false;
        }
        if (used == &parameter) {
            return true;
        }
        if (cameFrom.emplace(used, from).second) {
            pending.push_back(used);
        }
        return false;
    };
    for (const std::wstring& name : uses) {
        if (visit(name, &parameter)) {
            return path(&parameter);
        }
    }
    while (!pending.empty()) {
        const KxPlateParameter* current = pending.front();
        pending.pop_front();
        for (const std::wstring& name : current->mCompiled.variables()) {
            if (visit(name, current)) {
                return path(current);
            }
        }
    }
    return {};
}

std::vector<KxPlateParameter*>
KxPlateDependencyGraph::readyOrder(std::vector<KxPlateParameter*> parameters, std::uint32_t mark) {
    // The earliest listed of the ready ones goes first, so that independent ones keep list order.
    using Ready = std::pair<std::uint64_t, KxPlateParameter*>;
    std::priority_queue<Ready, std::vector<Ready>, std::greater<>> ready;
    for (KxPlateParameter* parameter : parameters) {
        if (parameter->mWaiting == 0) {
            ready.emplace(parameter->mListOrder, parameter);
        }
    }
    std::vector<KxPlateParameter*> order;
    order.reserve(parameters.size());
    while (!ready.empty()) {
        KxPlateParameter* next = ready.top().second;
        ready.pop();
        next->mWaiting = -1;
        order.push_back(next);
        const KxPlateName* named = next->mpNameRecord;
        if (!named || named->parameter != next) {
            continue;
        }
        for (const Use& use : named->users) {
            if (use.user != next && use.user->mMark == mark && --use.user->mWaiting == 0) {
                ready.emplace(use.user->mListOrder, use.user);
            }
        }
    }
    // A cycle cannot be accepted, but a drawing may have been defined with one: those go last.
    if (order.size() < parameters.size()) {
        std::sort(parameters.begin(), parameters.end(),
                  [](const KxPlateParameter* a, const KxPlateParameter* b) {
                      return a->mListOrder < b->mListOrder;
                  });
        for (KxPlateParameter* parameter : parameters) {
            if (parameter->mWaiting >= 0) {
                order.push_back(parameter);
            }
        }
    }
    return order;
}
