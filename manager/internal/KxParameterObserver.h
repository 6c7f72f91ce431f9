#pragma once

#include "model/KxParameterReactor.h"

// Keeps the palette's row of a parameter current. Attached to every parameter of every registered
// collection; reaches the palette through the proxy, fetched afresh at each notice.
class KxParameterObserver : public KxParameterReactor {
public:
    void nameWillChange(KxParameter* parameter, const KxString& newName) override;
    void nameChanged(KxParameter* parameter, const KxString& newName) override;
    void expressionWillChange(KxParameter* parameter, const KxString& newExpression) override;
    void expressionChanged(KxParameter* parameter, const KxString& newExpression) override;
    void propertyWillChange(KxParameter* parameter, KxParameterProperty* property) override;
    void propertyChanged(KxParameter* parameter, KxParameterProperty* property) override;
    void parameterModified(KxParameter* parameter) override;
    void modificationFailed(Lumo::ErrorStatus status, const KxString& message,
                            const KxString& detail) override;
    void groupsWillChange(KxParameter* parameter,
                          const KxArray<short, KxArrayMemCopyReallocator<short>>& groups) override;
    void groupsChanged(KxParameter* parameter,
                       const KxArray<short, KxArrayMemCopyReallocator<short>>& groups) override;
    ~KxParameterObserver() override;
};
