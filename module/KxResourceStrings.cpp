#include "util/KxParameterUtil.h"

#include "host/KxRxResourceInstance.h"
#include "host/MtHostTaskDialog.h"
#include "manager/KxParameterManager.h"
#include "module/internal/KxResourceModule.h"

KxString KxParameterUtil::getResourceString(unsigned int id) {
    const KxRxResourceInstance resources(KxResourceModule::handle());
    KxString text;
    if (!text.loadString(resources, id)) {
        text = KxString();
    }
    return text;
}

void KxParameterUtil::showFilteredTaskDialog(HWND parent) {
    if (KxParameterManager::getInstance().IsDocumentSwitched()) {
        return;
    }
    MtHostTaskDialog dialog;
    dialog.loadFromFile(MtHostTaskDialog::getTaskDialogSource(), L"KxParameter.ParameterFiltered",
                        nullptr, 0);
    const WindowHandle window(parent);
    dialog.showDialog(window);
}
