#include "support/RecordingPalette.h"

namespace {

std::string flag(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::vector<std::string> RecordingPalette::names() const {
    std::vector<std::string> names;
    for (const Call& call : mCalls) {
        names.push_back(call.name);
    }
    return names;
}

void RecordingPalette::record(std::string name, const void* object, std::string arguments) const {
    // Answering calls are const, and recording them is still part of what the palette heard.
    auto* self = const_cast<RecordingPalette*>(this);
    if (mpLog) {
        mpLog->push_back("palette: " + name + (arguments.empty() ? "" : " " + arguments));
    }
    self->mCalls.push_back({std::move(name), object, std::move(arguments)});
}

void RecordingPalette::initialize(KxParameterManager* manager) {
    record("initialize", manager);
}

bool RecordingPalette::show(bool show, bool activate) {
    record("show", nullptr, flag(show) + " " + flag(activate));
    return mShow;
}

bool RecordingPalette::restore(bool restore) {
    record("restore", nullptr, flag(restore));
    return mRestore;
}

void RecordingPalette::cancelCurrentEdit() {
    record("cancelCurrentEdit");
}

void RecordingPalette::setESWLockUpdate(bool lock) {
    record("setESWLockUpdate", nullptr, flag(lock));
}

void RecordingPalette::SetImageListAndIndexPair(CImageList& images,
                                                KxParameterCollection* collection) {
    record("SetImageListAndIndexPair", collection,
           std::to_string(reinterpret_cast<std::uintptr_t>(&images)));
}

Lumo::ErrorStatus RecordingPalette::updateParameterDataInUI(const KxParameter* parameter) {
    record("updateParameterDataInUI", parameter);
    return mStatus;
}

Lumo::ErrorStatus RecordingPalette::addParameterDataInUI(KxParameter* parameter, int origin) {
    record("addParameterDataInUI", parameter, std::to_string(origin));
    return mStatus;
}

void RecordingPalette::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    record("deleteParameterDataInUI", &parameters, std::to_string(parameters.length()));
}

void RecordingPalette::repopulateGroupDataInUI(KxParameterGroupCollection* groups) {
    record("repopulateGroupDataInUI", groups);
}

Lumo::ErrorStatus RecordingPalette::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    record("updateCurrentGroupDataInUI", parameter);
    return mStatus;
}

void RecordingPalette::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                           const KxString& detail) {
    record("showErrorTaskDialog", nullptr,
           std::to_string(status) + " [" + message.toUtf8() + "] [" + detail.toUtf8() + "]");
}

void RecordingPalette::markInvalidCell() {
    record("markInvalidCell");
}

bool RecordingPalette::isListControlDeleted() const {
    record("isListControlDeleted");
    return mListControlDeleted;
}

void RecordingPalette::setFilterLock(bool lock) {
    record("setFilterLock", nullptr, flag(lock));
}

void RecordingPalette::refresh(bool full) {
    record("refresh", nullptr, flag(full));
}

bool RecordingPalette::IsVisible() const {
    record("IsVisible");
    return mVisible;
}

Lumo::ErrorStatus RecordingPalette::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    record("setPredefinedExpressions", &expressions, std::to_string(expressions.length()));
    return mStatus;
}

void RecordingPalette::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    record("getPredefinedExpressions", &expressions);
    expressions = mPredefinedExpressions;
}

void RecordingPalette::activeCollectionChanged(KxParameterCollection* collection) {
    record("activeCollectionChanged", collection);
}

void RecordingPalette::resetSearchPattern() {
    record("resetSearchPattern");
}

void RecordingPalette::hideFilterTree(bool hide) {
    record("hideFilterTree", nullptr, flag(hide));
}

KxParameterFilter* RecordingPalette::getCurrentFilter() const {
    record("getCurrentFilter");
    return mpFilter;
}

std::ostream& operator<<(std::ostream& out, const RecordingPalette::Call& call) {
    return out << call.name << '(' << call.object << (call.arguments.empty() ? "" : ", ")
               << call.arguments << ')';
}
