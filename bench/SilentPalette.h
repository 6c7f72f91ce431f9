#pragma once

#include "palette/KxPaletteBase.h"

// A palette that is visible, shows its list, and records nothing: the model pays for every call it
// makes to the palette and for nothing that a real palette would do with it. The operations it
// does not override give the base's neutral answers and do nothing.
class SilentPalette : public KxPaletteBase {
public:
    bool show(bool, bool) override { return true; }
    bool restore(bool) override { return true; }
    Lumo::ErrorStatus updateParameterDataInUI(const KxParameter*) override { return Lumo::eOk; }
    Lumo::ErrorStatus addParameterDataInUI(KxParameter*, int) override { return Lumo::eOk; }
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter*) override { return Lumo::eOk; }
    bool isListControlDeleted() const override { return true; }
    bool IsVisible() const override { return true; }
    Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>&) override {
        return Lumo::eOk;
    }
};
