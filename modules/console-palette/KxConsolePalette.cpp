#include "modules/console-palette/KxConsolePalette.h"

#include "collections/KxParameterGroupCollection.h"
#include "host/KxStatusName.h"
#include "kit/KxDisplayValue.h"
#include "kit/KxEditProperty.h"
#include "kit/KxParameterGroupNames.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "modules/console-palette/KxConsoleText.h"
#include "util/KxParameterUtil.h"

#include <algorithm>
#include <iostream>
#include <utility>

using KxConsoleText::cell;

namespace {

std::string rowCount(int count) {
    return std::to_string(count) + (count == 1 ? " row" : " rows");
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

KxString joined(const std::vector<KxString>& names) {
    std::wstring text;
    for (const KxString& name : names) {
        text += (text.empty() ? L"" : L", ") + name.wstr();
    }
    return KxString(std::move(text));
}

} // namespace

KxConsolePalette::KxConsolePalette() : mpOut(&std::cout), mpErrors(&std::cerr) {}

KxConsolePalette::~KxConsolePalette() = default;

bool KxConsolePalette::show(bool show, bool) {
    mbVisible = show;
    if (show) {
        takeUpManagerParameters();
        draw();
    }
    return true;
}

bool KxConsolePalette::restore(bool) {
    return mbVisible;
}

void KxConsolePalette::cancelCurrentEdit() {
    mEdit.reset();
}

void KxConsolePalette::setESWLockUpdate(bool lock) {
    if (lock) {
        ++mUpdateLocks;
        return;
    }
    if (mUpdateLocks == 0 || --mUpdateLocks > 0) {
        return;
    }
    const Batch batch = std::exchange(mUpdateBatch, Batch{});
    if (!mbVisible || batch.isEmpty()) {
        return;
    }
    std::vector<std::string> parts;
    if (batch.added > 0) {
        parts.push_back(rowCount(batch.added) + " added");
    }
    if (batch.updated > 0) {
        parts.push_back(rowCount(batch.updated) + " updated");
    }
    if (batch.deleted > 0) {
        parts.push_back(rowCount(batch.deleted) + " deleted");
    }
    if (batch.groups) {
        parts.emplace_back("groups changed");
    }
    print("  ~ " + joined(parts, ", "));
}

Lumo::ErrorStatus KxConsolePalette::updateParameterDataInUI(const KxParameter* parameter) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    Row* row = findRow(parameter);
    if (!row) {
        return Lumo::eInvalidInput;
    }
    row->name = row->parameter->getName();
    row->invalidCell.reset();
    const KxString value = kxDisplayValue(*row->parameter);
    tellUpdated(cell(row->name) + (value.isEmpty() ? "" : " = " + cell(value)));
    return Lumo::eOk;
}

Lumo::ErrorStatus KxConsolePalette::addParameterDataInUI(KxParameter* parameter, int) {
    // Registration (origin 0) and a later addition (origin 1) make the same row.
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    if (appendRow(parameter)) {
        tellAdded(cell(parameter->getName()));
    }
    return Lumo::eOk;
}

void KxConsolePalette::deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) {
    // The parameters may be gone by the time anything is drawn: only their pointers and the names
    // the rows remember are used.
    for (KxParameter* parameter : parameters) {
        const auto found = mRowIndex.find(parameter);
        if (found == mRowIndex.end()) {
            continue;
        }
        const KxString name = found->second->name;
        if (mEdit && mEdit->parameter == parameter) {
            mEdit.reset();
        }
        mRows.erase(found->second);
        mRowIndex.erase(found);
        tellDeleted(cell(name));
    }
}

void KxConsolePalette::repopulateGroupDataInUI(KxParameterGroupCollection* groups) {
    mpGroups = groups;
    reconcileFilter();
    KxArray<KxString> names;
    if (groups) {
        groups->getParameterGroups(names);
    }
    std::vector<KxString> list(names.begin(), names.end());
    tellGroups("groups: " + (list.empty() ? std::string("none") : cell(joined(list))));
}

Lumo::ErrorStatus KxConsolePalette::updateCurrentGroupDataInUI(const KxParameter* parameter) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    Row* row = findRow(parameter);
    if (!row) {
        return Lumo::eInvalidInput;
    }
    row->invalidCell.reset();
    const KxString names = KxParameterGroupNames(groups()).textOf(*row->parameter);
    tellUpdated(cell(row->name) + (names.isEmpty() ? " in no group" : " in " + cell(names)));
    return Lumo::eOk;
}

void KxConsolePalette::showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                           const KxString& detail) {
    std::vector<KxString> body =
        KxConsoleText::lines(message.isEmpty() ? KxString(L"(no message)") : message);
    if (!detail.isEmpty()) {
        const std::vector<KxString> more = KxConsoleText::lines(detail);
        body.insert(body.end(), more.begin(), more.end());
    }
    const KxString title(L"Parameter not changed (" +
                         KxString::fromUtf8(kxStatusText(status)).wstr() + L")");
    // What the palette printed before the refusal comes first, whichever stream shows which.
    *mpOut << std::flush;
    for (const std::string& line : KxConsoleText::framed(title, body)) {
        *mpErrors << line << '\n';
    }
    *mpErrors << std::flush;
}

void KxConsolePalette::markInvalidCell() {
    if (!mEdit) {
        return;
    }
    if (Row* row = findRow(mEdit->parameter)) {
        row->invalidCell = mEdit->column;
    }
}

bool KxConsolePalette::isListControlDeleted() const {
    // This palette keeps no list control between draws: every table is drawn afresh from the rows.
    // Answering true is what makes the collection observer forward deletions, so the rows never
    // keep a parameter that its collection has erased.
    return true;
}

void KxConsolePalette::setFilterLock(bool lock) {
    if (lock) {
        ++mFilterLocks;
        return;
    }
    if (mFilterLocks == 0 || --mFilterLocks > 0) {
        return;
    }
    const int added = std::exchange(mFilterLockAdded, 0);
    if (mbVisible && added > 0) {
        print("  + " + rowCount(added));
    }
}

void KxConsolePalette::refresh(bool) {
    // A console table is always drawn whole.
    if (mbVisible) {
        draw();
    }
}

bool KxConsolePalette::IsVisible() const {
    return mbVisible;
}

Lumo::ErrorStatus KxConsolePalette::setPredefinedExpressions(const KxArray<KxString>& expressions) {
    mPredefinedExpressions = expressions;
    return Lumo::eOk;
}

void KxConsolePalette::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    expressions = mPredefinedExpressions;
}

void KxConsolePalette::hideFilterTree(bool hide) {
    if (!hide) {
        return;
    }
    const bool hadGroups = mpGroups != nullptr;
    mpGroups = nullptr;
    mpFilter.reset();
    mbFilterInverted = false;
    if (hadGroups) {
        tellGroups("groups: none");
    }
}

KxParameterFilter* KxConsolePalette::getCurrentFilter() const {
    return mpFilter.get();
}

void KxConsolePalette::setOutput(std::ostream* out, std::ostream* errors) {
    mpOut = out ? out : &std::cout;
    mpErrors = errors ? errors : &std::cerr;
}

void KxConsolePalette::draw() {
    reconcileFilter();
    const std::vector<KxPaletteColumn> columns = kxPaletteColumns(manager());
    KxArray<KxParameter*> all;
    for (const Row& row : mRows) {
        all.append(row.parameter);
    }
    KxArray<KxParameter*> shown;
    if (mpFilter) {
        mpFilter->filterParameters(all, shown);
    } else {
        shown = all;
    }

    KxParameterGroupCollection* groupsNow = groups();
    std::vector<std::vector<KxString>> cells;
    std::vector<bool> marked;
    for (KxParameter* parameter : shown) {
        Row& row = *findRow(parameter);
        row.name = parameter->getName(); // what a later deletion line says
        const std::optional<KxPaletteColumn>& invalid = row.invalidCell;
        std::vector<KxString> line;
        for (const KxPaletteColumn& column : columns) {
            KxString text = kxPaletteCellText(*parameter, column, groupsNow);
            // The refused cell points itself out; the row is marked too, for a hidden column.
            if (invalid && invalid->isSameAs(column)) {
                text = KxString(text.wstr() + L" !");
            }
            line.push_back(std::move(text));
        }
        cells.push_back(std::move(line));
        marked.push_back(invalid.has_value());
    }

    std::vector<int> widths;
    widths.reserve(columns.size());
    for (const KxPaletteColumn& column : columns) {
        widths.push_back(KxConsoleText::displayWidth(column.title));
    }
    for (const std::vector<KxString>& line : cells) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], KxConsoleText::displayWidth(line[i]));
        }
    }
    // The marker column, then the cells two blanks apart, each padded to its column's width.
    const auto layout = [&](const std::string& marker, auto text) {
        std::string out = marker;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            out += (i == 0 ? "" : "  ") + text(i);
        }
        print(KxConsoleText::trimmedRight(std::move(out)));
    };

    if (mpFilter) {
        KxString name;
        mpFilter->getGroupName(name);
        print("filter: group " + cell(name) + (mbFilterInverted ? " (inverted)" : ""));
    }
    layout("  ", [&](std::size_t i) { return KxConsoleText::padded(columns[i].title, widths[i]); });
    layout("  ",
           [&](std::size_t i) { return std::string(static_cast<std::size_t>(widths[i]), '-'); });
    for (std::size_t r = 0; r < cells.size(); ++r) {
        layout(marked[r] ? "! " : "  ",
               [&](std::size_t i) { return KxConsoleText::padded(cells[r][i], widths[i]); });
    }
    if (cells.empty()) {
        print("  (no parameters)");
    }
}

Lumo::ErrorStatus KxConsolePalette::editName(KxParameter* parameter, const KxString& name) {
    return edit(parameter, {KxPaletteColumnKind::kName, {}, {}},
                [&] { return parameter->setName(name); });
}

Lumo::ErrorStatus KxConsolePalette::editExpression(KxParameter* parameter,
                                                   const KxString& expression) {
    return edit(parameter, {KxPaletteColumnKind::kExpression, {}, {}},
                [&] { return parameter->setExpression(expression); });
}

Lumo::ErrorStatus KxConsolePalette::editProperty(KxParameter* parameter, const KxString& property,
                                                 const KxDbEvalVariant& value) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    if (!parameter->getProperty(property.kwszPtr())) {
        return Lumo::eKeyNotFound;
    }
    const KxEditProperty carrier(property, value);
    return edit(parameter, {KxPaletteColumnKind::kProperty, property, {}},
                [&] { return parameter->setProperty(carrier); });
}

Lumo::ErrorStatus KxConsolePalette::setGroupFilter(const KxString& groupName, bool invert) {
    KxParameterGroupCollection* collection = groups();
    short index = 0;
    if (groupName.isEmpty() || !collection ||
        collection->getGroupIndex(groupName, index) != Lumo::eOk) {
        return Lumo::eInvalidInput;
    }
    auto filter = std::make_unique<KxParameterGroupFilter>(groupName, index);
    filter->setInvertFilter(invert);
    mpFilter = std::move(filter);
    mbFilterInverted = invert;
    KxParameterUtil::showFilteredTaskDialog(nullptr);
    draw();
    return Lumo::eOk;
}

void KxConsolePalette::clearFilter() {
    mpFilter.reset();
    mbFilterInverted = false;
    draw();
}

Lumo::ErrorStatus KxConsolePalette::selectParameter(KxParameter*) {
    return Lumo::eNotImplemented;
}

std::vector<KxParameter*> KxConsolePalette::rowParameters() const {
    std::vector<KxParameter*> parameters;
    for (const Row& row : mRows) {
        parameters.push_back(row.parameter);
    }
    return parameters;
}

KxParameterManager* KxConsolePalette::manager() {
    return kxParameterManagerIfAlive();
}

KxParameterGroupCollection* KxConsolePalette::groups() const {
    if (KxParameterManager* live = manager()) {
        return live->getActiveGroupCollection();
    }
    return mpGroups;
}

KxConsolePalette::Row* KxConsolePalette::findRow(const KxParameter* parameter) {
    const auto found = mRowIndex.find(parameter);
    return found == mRowIndex.end() ? nullptr : &*found->second;
}

bool KxConsolePalette::appendRow(KxParameter* parameter) {
    if (mRowIndex.count(parameter) != 0) {
        return false;
    }
    mRows.push_back({parameter, parameter->getName(), std::nullopt});
    mRowIndex.emplace(parameter, std::prev(mRows.end()));
    return true;
}

void KxConsolePalette::takeUpManagerParameters() {
    KxParameterManager* live = manager();
    if (!live) {
        return;
    }
    KxArray<KxParameter*> parameters;
    live->getParameters(parameters);
    for (KxParameter* parameter : parameters) {
        if (parameter) {
            appendRow(parameter);
        }
    }
}

Lumo::ErrorStatus KxConsolePalette::edit(KxParameter* parameter, KxPaletteColumn column,
                                         const std::function<Lumo::ErrorStatus()>& change) {
    if (!parameter) {
        return Lumo::eNullObjectPointer;
    }
    mEdit = Edit{parameter, std::move(column)};
    const Lumo::ErrorStatus status = change();
    mEdit.reset();
    return status;
}

void KxConsolePalette::reconcileFilter() {
    if (!mpFilter || !groups()) {
        return;
    }
    KxString current;
    mpFilter->getGroupName(current);
    const KxParameterGroupNames names(groups());
    const KxString* now = names.nameOf(mpFilter->getGroupIndex());
    if (!now) {
        mpFilter.reset();
        mbFilterInverted = false;
    } else if (*now != current) {
        mpFilter->renameGroupFilter(*now);
    }
}

void KxConsolePalette::tellAdded(const std::string& name) {
    if (mUpdateLocks > 0) {
        ++mUpdateBatch.added;
    } else if (mFilterLocks > 0) {
        ++mFilterLockAdded;
    } else if (mbVisible) {
        print("  + " + name);
    }
}

void KxConsolePalette::tellUpdated(const std::string& line) {
    if (mUpdateLocks > 0) {
        ++mUpdateBatch.updated;
    } else if (mbVisible) {
        print("  ~ " + line);
    }
}

void KxConsolePalette::tellDeleted(const std::string& name) {
    if (mUpdateLocks > 0) {
        ++mUpdateBatch.deleted;
    } else if (mbVisible) {
        print("  - " + name);
    }
}

void KxConsolePalette::tellGroups(const std::string& line) {
    if (mUpdateLocks > 0) {
        mUpdateBatch.groups = true;
    } else if (mbVisible) {
        print("  ~ " + line);
    }
}

void KxConsolePalette::print(const std::string& line) {
    *mpOut << line << '\n';
}
