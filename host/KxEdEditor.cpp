#include "host/KxEdEditor.h"

#include "host/internal/KxModelessBrackets.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<KxEdEditorReactor*>& reactors() {
    static std::vector<KxEdEditorReactor*> registered;
    return registered;
}

// By index, the length read afresh: a reactor may add or remove reactors while it is told.
template <class Notice>
bool tellAll(Notice notice) {
    for (std::size_t i = 0; i < reactors().size(); ++i) {
        notice(*reactors()[i]);
    }
    return true;
}

} // namespace

KxEdEditorReactor::~KxEdEditorReactor() = default;
void KxEdEditorReactor::modelessOperationWillStart(const wchar_t*) {}
void KxEdEditorReactor::modelessOperationEnded(const wchar_t*) {}

bool kxedAddEditorReactor(KxEdEditorReactor* reactor) {
    if (!reactor || std::find(reactors().begin(), reactors().end(), reactor) != reactors().end()) {
        return false;
    }
    reactors().push_back(reactor);
    return true;
}

bool kxedRemoveEditorReactor(KxEdEditorReactor* reactor) {
    const auto found = std::find(reactors().begin(), reactors().end(), reactor);
    if (found == reactors().end()) {
        return false;
    }
    reactors().erase(found);
    return true;
}

void kxedRemoveAllEditorReactors() {
    reactors().clear();
}

// The undo group opens before the reactors hear of the start and closes after they hear of the
// end, so that what they change falls inside it.
bool kxedSendModelessOperationStart(const wchar_t* context) {
    const wchar_t* text = context ? context : L"";
    KxModelessBrackets::started(text);
    return tellAll([&](KxEdEditorReactor& reactor) { reactor.modelessOperationWillStart(text); });
}

bool kxedSendModelessOperationEnded(const wchar_t* context) {
    const wchar_t* text = context ? context : L"";
    const bool told =
        tellAll([&](KxEdEditorReactor& reactor) { reactor.modelessOperationEnded(text); });
    KxModelessBrackets::ended();
    return told;
}
