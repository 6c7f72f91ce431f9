#pragma once

#include "palette/IKxApParameterManagerESWHost.h"
#include "testkit/KxEventLog.h"
#include "testkit/KxTestKitExport.h"

#include <ostream>
#include <string>
#include <vector>

/// A palette that records every call with its arguments, in order, and answers as the test sets.
/// Attach it with a KxScopedPalette (kit/KxScopedRegistration.h) or
/// KxApParameterManagerESW::instance()->setHost(&palette).
class KX_TESTKIT_EXPORT KxRecordingPalette : public IKxApParameterManagerESWHost {
public:
    /// One call the palette received.
    struct Call {
        std::string name;                             ///< the operation's name
        const void* object = nullptr;                 ///< the pointer argument, if the call has one
        std::string arguments;                        ///< the other arguments, as text
        bool operator==(const Call&) const = default; ///< Compares every field.
    };

    bool mShow = false;                       ///< what show answers
    bool mRestore = false;                    ///< what restore answers
    bool mVisible = false;                    ///< what IsVisible answers
    bool mListControlDeleted = false;         ///< what isListControlDeleted answers
    KxParameterFilter* mpFilter = nullptr;    ///< what getCurrentFilter answers
    Lumo::ErrorStatus mStatus = Lumo::eOk;    ///< what the operations with a status answer
    KxArray<KxString> mPredefinedExpressions; ///< what getPredefinedExpressions gives

    std::vector<Call> mCalls; ///< every call received, in order
    /// When set, each call is also written here as "palette: <name>", beside other recorders.
    KxEventLog* mpLog = nullptr;

    /// The names of the calls received, in order.
    std::vector<std::string> names() const;

    void initialize(KxParameterManager* manager) override;
    bool show(bool show, bool activate) override;
    bool restore(bool restore) override;
    void cancelCurrentEdit() override;
    void setESWLockUpdate(bool lock) override;
    void SetImageListAndIndexPair(CImageList& images, KxParameterCollection* collection) override;
    Lumo::ErrorStatus updateParameterDataInUI(const KxParameter* parameter) override;
    Lumo::ErrorStatus addParameterDataInUI(KxParameter* parameter, int origin) override;
    void deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) override;
    void repopulateGroupDataInUI(KxParameterGroupCollection* groups) override;
    Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) override;
    void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                             const KxString& detail) override;
    void markInvalidCell() override;
    bool isListControlDeleted() const override;
    void setFilterLock(bool lock) override;
    void refresh(bool full) override;
    bool IsVisible() const override;
    Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>& expressions) override;
    void getPredefinedExpressions(KxArray<KxString>& expressions) const override;
    void activeCollectionChanged(KxParameterCollection* collection) override;
    void resetSearchPattern() override;
    void hideFilterTree(bool hide) override;
    KxParameterFilter* getCurrentFilter() const override;

private:
    void record(std::string name, const void* object = nullptr, std::string arguments = {}) const;
};

KX_TESTKIT_EXPORT std::ostream& operator<<(std::ostream& out, const KxRecordingPalette::Call& call);
