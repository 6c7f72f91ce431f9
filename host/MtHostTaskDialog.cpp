#include "host/MtHostTaskDialog.h"

#include "host/KxHostStatus.h"

#include <string>

namespace {

MtTaskDialogSource hostSource() {
    MtTaskDialogSource source;
    source.add({L"KxParameter.ParameterFiltered",
                L"Parameters are filtered",
                L"The palette shows only the parameters that pass the current filter.\n"
                L"The others are hidden, not deleted: clear the filter to see every parameter "
                L"again.",
                {L"OK"}});
    return source;
}

std::wstring filledIn(std::wstring text, const MtKeyValue* pairs, int count) {
    for (int i = 0; i < count; ++i) {
        const std::wstring placeholder = L'{' + std::wstring(pairs[i].key) + L'}';
        const std::wstring value = pairs[i].value ? pairs[i].value : L"";
        for (std::size_t at = text.find(placeholder); at != std::wstring::npos;
             at = text.find(placeholder, at + value.size())) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}

} // namespace

const MtTaskDialogSource& MtHostTaskDialog::getTaskDialogSource() {
    static const MtTaskDialogSource source = hostSource();
    return source;
}

bool MtHostTaskDialog::loadFromFile(const MtTaskDialogSource& source, const wchar_t* dialogId,
                                    const MtKeyValue* pairs, int count) {
    const MtTaskDialogDefinition* definition = dialogId ? source.find(dialogId) : nullptr;
    if (!definition || count < 0 || (count > 0 && !pairs)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (!pairs[i].key || !*pairs[i].key) {
            return false;
        }
    }
    mDialog = MtTaskDialogShown{
        nullptr, definition->id, KxString(filledIn(definition->title.wstr(), pairs, count)),
        KxString(filledIn(definition->message.wstr(), pairs, count)), definition->buttons};
    return true;
}

int MtHostTaskDialog::showDialog(const WindowHandle& parent) {
    if (!mDialog) {
        return kRtError;
    }
    MtTaskDialogShown shown = *mDialog;
    shown.parent = parent.hwnd();
    return mtPresentTaskDialog(shown);
}
