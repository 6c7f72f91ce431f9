#pragma once

#include "model/KxParameterReactor.h"

// Hears, while it stands on a parameter, whether a change was refused, with the provider's message
// and detail: modificationFailed does not say whose refusal it is, so it stands on the one
// parameter being changed, for as long as the change takes.
class KxRefusalCatcher : public KxParameterReactor {
public:
    void modificationFailed(Lumo::ErrorStatus, const KxString& message,
                            const KxString& detail) override {
        mbHeard = true;
        mMessage = message;
        mDetail = detail;
    }
    bool mbHeard = false;
    KxString mMessage;
    KxString mDetail;
};
