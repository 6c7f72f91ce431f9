#pragma once

#include "kit/KxScopedRegistration.h"
#include "manager/KxParameterManager.h"
#include "support/HostSession.h"
#include "testkit/KxRecordingPalette.h"

// A fresh host and library with the manager made and a recording palette attached that shows
// itself and hears every call.
class PaletteSession : public HostSession {
protected:
    PaletteSession() { palette.mVisible = palette.mListControlDeleted = true; }

    KxRecordingPalette palette;
    KxScopedPalette attached{palette};
    KxParameterManager& manager = [this]() -> KxParameterManager& {
        ::testing::internal::CaptureStderr(); // the host reports that no palette module is there
        KxParameterManager& made = mSession.manager();
        ::testing::internal::GetCapturedStderr();
        return made;
    }();
};
