#pragma once

#include "host/KxHostExport.h"
#include "host/KxString.h"
#include "host/WindowHandle.h"

#include <functional>
#include <vector>

/// What a task dialog puts before the user.
struct MtTaskDialogShown {
    HWND parent = nullptr;         ///< the window it is shown over; null for the main window
    KxString id;                   ///< the dialog's identifier in its source
    KxString title;                ///< the title, placeholders filled in
    KxString message;              ///< the message, placeholders filled in
    std::vector<KxString> buttons; ///< the button texts, in order
};

/// Shows a dialog and gives the index of the button that the user chose. The host program sets
/// the presenter of its user interface; tests set one that records what was shown.
using MtTaskDialogPresenter = std::function<int(const MtTaskDialogShown&)>;

/// Installs a presenter and gives back the one it replaces. An empty function puts back the
/// default, which prints the dialog as a framed block on the standard output and chooses the
/// first button.
KX_HOST_EXPORT MtTaskDialogPresenter mtSetTaskDialogPresenter(MtTaskDialogPresenter presenter);
/// Shows through the current presenter.
KX_HOST_EXPORT int mtPresentTaskDialog(const MtTaskDialogShown& dialog);
