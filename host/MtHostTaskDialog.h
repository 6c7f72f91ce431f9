#pragma once

#include "host/KxHostExport.h"
#include "host/MtTaskDialogPresenter.h"
#include "host/MtTaskDialogSource.h"
#include "host/WindowHandle.h"

#include <optional>

/// A key and the text that replaces its placeholder "{key}" in a dialog's title and message.
struct MtKeyValue {
    const wchar_t* key;   ///< the placeholder's name, without braces
    const wchar_t* value; ///< null is the empty text
};

/// A modal task dialog of the host: filled from a task-dialog source, then shown over a window
/// through the host's presenter.
class KX_HOST_EXPORT MtHostTaskDialog {
public:
    /// The host's own source. It holds "KxParameter.ParameterFiltered", the notice that the
    /// parameters shown are filtered.
    static const MtTaskDialogSource& getTaskDialogSource();

    /// Takes the dialog of that identifier from the source and fills in the pairs. False, and the
    /// dialog stays as it was, for an identifier that the source does not hold, a negative count,
    /// pairs missing for a positive count, or a pair without a key.
    bool loadFromFile(const MtTaskDialogSource& source, const wchar_t* dialogId,
                      const MtKeyValue* pairs, int count);
    /// True once a dialog has been loaded.
    bool isLoaded() const { return mDialog.has_value(); }

    /// Shows the loaded dialog over `parent` and gives the index of the chosen button; kRtError,
    /// and nothing is shown, while no dialog is loaded.
    int showDialog(const WindowHandle& parent);

private:
    std::optional<MtTaskDialogShown> mDialog;
};
