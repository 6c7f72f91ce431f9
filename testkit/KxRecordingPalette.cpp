#include "testkit/KxRecordingPalette.h"

#include <cstdint>

namespace {

std::string flag(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::vector<std::string> KxRecordingPalette::names() const {
    std::vector<std::string> names;
    for (const Call& call : mCalls) {
        names.push_back(call.name);
    }
    return names;
}

void KxRecordingPalette::record(std::string name, const void* object, std::string arguments) const {
    // Answering calls are const, and recording them is still part of what the palette heard.
    auto* self = const_cast<KxRecordingPalette*>(this);
    if (mpLog) {
        mpLog->push_back("palette: " + name + (arguments.empty() ? "" : " " + arguments));
    }
    self->mCalls.push_back({std::move(name), object, std::move(arguments)});
}

void KxRecordingPalette::initialize(KxParameterManager* manager) {
    record("initialize", manager);
}

bool KxRecordingPalette::show(bool show, bool activate) {
    record("show", nullptr, flag(show) + " " + flag(activate));
    return mShow;
}

bool KxRecordingPalette::restore(bool restore) {
    record("restore", nullptr, flag(restore));
    return mRestore;
}

void KxRecordingPalette::cancelCurrentEdit() {
    record("cancelCurrentEdit");
}

void KxRecordingPalette::setESWLockUpdate(bool lock) {
    record("setESWLockUpdate", nullptr, flag(lock));
}

void KxRecordingPalette::SetImageListAndIndexPair(CImageList& images,
                                                  KxParameterCollection* collection) {
    record("SetImageListAndIndexPair", collection,
           std::to_string(reinterpret_cast<std::uintptr_t>(&images)));
}

Lumo::ErrorStatus KxRecordingPalette::updateParameterDataInUI(const KxParameter* parameter) {
    record("updateParameterDataInUI", parameter);
    return mStatus;
}

Lumo::ErrorStatus KxRecordingPalette::addParameterDataInUI(KxParameter* parameter, int origin) {
    record("addParameterDataInUI", parameter, std::to_string(origin));
    return mStatus;
}

void KxRecordingPalette::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    record("deleteParameterDataInUI", &parameters, std::to_string(parameters.length()));
}

void KxRecordingPalette::repopulateGroupDataInUI(KxParameterGroupCollection* groups) {
    record("repopulateGroupDataInUI", groups);
}

Lumo::ErrorStatus KxRecordingPalette::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    record("updateCurrentGroupDataInUI", parameter);
    return mStatus;
}

void KxRecordingPalette::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                             const KxString& detail) {
    record("showErrorTaskDialog", nullptr,
           std::to_string(status) + " [" + message.toUtf8() + "] [" + detail.toUtf8() + "]");
}

void KxRecordingPalette::markInvalidCell() {
    record("markInvalidCell");
}

bool KxRecordingPalette::isListControlDeleted() const {
    record("isListControlDeleted");
    return mListControlDeleted;
}

void KxRecordingPalette::setFilterLock(bool lock) {
    record("setFilterLock", nullptr, flag(lock));
}

void KxRecordingPalette::refresh(bool full) {
    record("refresh", nullptr, flag(full));
}

bool KxRecordingPalette::IsVisible() const {
    record("IsVisible");
    return mVisible;
}

Lumo::ErrorStatus
KxRecordingPalette::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    record("setPredefinedExpressions", &expressions, std::to_string(expressions.length()));
    return mStatus;
}

void KxRecordingPalette::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    record("getPredefinedExpressions", &expressions);
    expressions = mPredefinedExpressions;
}

void KxRecordingPalette::activeCollectionChanged(KxParameterCollection* collection) {
    record("activeCollectionChanged", collection);
}

void KxRecordingPalette::resetSearchPattern() {
    record("resetSearchPattern");
}

void KxRecordingPalette::hideFilterTree(bool hide) {
    record("hideFilterTree", nullptr, flag(hide));
}

KxParameterFilter* KxRecordingPalette::getCurrentFilter() const {
    record("getCurrentFilter");
    return mpFilter;
}

std::ostream& operator<<(std::ostream& out, const KxRecordingPalette::Call& call) {
    return out << call.name << '(' << call.object << (call.arguments.empty() ? "" : ", ")
               << call.arguments << ')';
}
