#pragma once

#include "host/KxHostExport.h"
#include "host/KxString.h"

#include <vector>

/// One task dialog as a source defines it. The title and message may hold placeholders "{key}"
/// that the key-value pairs of MtHostTaskDialog::loadFromFile fill in.
struct MtTaskDialogDefinition {
    KxString id;                   ///< the identifier the dialog is found by
    KxString title;                ///< the title
    KxString message;              ///< the message
    std::vector<KxString> buttons; ///< the button texts, in order; at least one
};

/// A set of task dialogs, found by identifier.
class KX_HOST_EXPORT MtTaskDialogSource {
public:
    /// False, and nothing changes, for an empty identifier, one that the source holds already, or
    /// a dialog without a button.
    bool add(MtTaskDialogDefinition dialog);
    /// The dialog of that identifier, or null.
    const MtTaskDialogDefinition* find(const KxString& id) const;

private:
    std::vector<MtTaskDialogDefinition> mDialogs;
};
