#include "host/MtTaskDialogSource.h"

#include <algorithm>
#include <utility>

bool MtTaskDialogSource::add(MtTaskDialogDefinition dialog) {
    if (dialog.id.isEmpty() || dialog.buttons.empty() || find(dialog.id)) {
        return false;
    }
    mDialogs.push_back(std::move(dialog));
    return true;
}

const MtTaskDialogDefinition* MtTaskDialogSource::find(const KxString& id) const {
    const auto found =
        std::find_if(mDialogs.begin(), mDialogs.end(),
                     [&](const MtTaskDialogDefinition& dialog) { return dialog.id == id; });
    return found == mDialogs.end() ? nullptr : &*found;
}
