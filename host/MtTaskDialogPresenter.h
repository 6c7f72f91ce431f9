#pragma once

#include "host/KxExport.h"
#include "host/KxString.h"
#include "host/WindowHandle.h"

#include <functional>
#include <vector>

// What a task dialog puts before the user.
struct MtTaskDialogShown {
    HWND parent = nullptr;
    KxString id;
    KxString title;
    KxString message;
    std::vector<KxString> buttons;
};

// Shows a dialog and gives the index of the button that the user chose. The host program sets
// the presenter of its user interface; tests set one that records what was shown.
using MtTaskDialogPresenter = std::function<int(const MtTaskDialogShown&)>;

// Installs a presenter and gives back the one it replaces. An empty function puts back the
// default, which prints the dialog as a framed block on the standard output and chooses the
// first button.
KX_EXPORT MtTaskDialogPresenter mtSetTaskDialogPresenter(MtTaskDialogPresenter presenter);
// Shows through the current presenter.
KX_EXPORT int mtPresentTaskDialog(const MtTaskDialogShown& dialog);
