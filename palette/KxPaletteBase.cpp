#include "palette/KxPaletteBase.h"

KxPaletteBase::~KxPaletteBase() = default;

void KxPaletteBase::initialize(KxParameterManager*) {}

bool KxPaletteBase::show(bool, bool) {
    return false;
}

bool KxPaletteBase::restore(bool) {
    return false;
}

void KxPaletteBase::cancelCurrentEdit() {}

void KxPaletteBase::setESWLockUpdate(bool) {}

void KxPaletteBase::SetImageListAndIndexPair(CImageList&, KxParameterCollection*) {}

Lumo::ErrorStatus KxPaletteBase::updateParameterDataInUI(const KxParameter*) {
    return Lumo::eNotImplemented;
}

Lumo::ErrorStatus KxPaletteBase::addParameterDataInUI(KxParameter*, int) {
    return Lumo::eNotImplemented;
}

void KxPaletteBase::deleteParameterDataInUI(const KxArray<KxParameter*>&) {}

void KxPaletteBase::repopulateGroupDataInUI(KxParameterGroupCollection*) {}

Lumo::ErrorStatus KxPaletteBase::updateCurrentGroupDataInUI(const KxParameter*) {
    return Lumo::eNotImplemented;
}

void KxPaletteBase::showErrorTaskDialog(Lumo::ErrorStatus, const KxString&, const KxString&) {}

void KxPaletteBase::markInvalidCell() {}

bool KxPaletteBase::isListControlDeleted() const {
    return false;
}

void KxPaletteBase::setFilterLock(bool) {}

void KxPaletteBase::refresh(bool) {}

bool KxPaletteBase::IsVisible() const {
    return false;
}

Lumo::ErrorStatus KxPaletteBase::setPredefinedExpressions(const KxArray<KxString>&) {
    return Lumo::eNotImplemented;
}

void KxPaletteBase::getPredefinedExpressions(KxArray<KxString>&) const {}

void KxPaletteBase::activeCollectionChanged(KxParameterCollection*) {}

void KxPaletteBase::resetSearchPattern() {}

void KxPaletteBase::hideFilterTree(bool) {}

KxParameterFilter* KxPaletteBase::getCurrentFilter() const {
    return nullptr;
}
