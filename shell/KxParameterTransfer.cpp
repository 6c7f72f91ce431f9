#include "shell/KxParameterTransfer.h"

#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "host/KxCompiledExpression.h"
#include "host/KxStatusName.h"
#include "kit/KxDisplayValue.h"
#include "kit/KxEditProperty.h"
#include "kit/KxPaletteTable.h"
#include "kit/KxParameterGroupNames.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "shell/KxCsv.h"
#include "shell/KxRefusalCatcher.h"
#include "util/KxParameterUtil.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>
#include <utility>

namespace KxParameterTransfer {

namespace {

enum FixedColumn { kName, kExpression, kValue, kDescription, kGroups, kFixedColumns };
const std::array<std::string, kFixedColumns> kFixedNames = {"name", "expression", "value",
                                                            "description", "groups"};
constexpr const wchar_t* kDescriptionProperty = L"description";
constexpr char kGroupSeparator = ';';

std::string utf8(const KxString& text) {
    return text.toUtf8();
}

KxString wide(const std::string& text) {
    return KxString::fromUtf8(text);
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

bool isFixed(const std::string& key) {
    return std::find(kFixedNames.begin(), kFixedNames.end(), key) != kFixedNames.end();
}

// The keys of the collection's property columns, in its order, without the fixed names, empty
// keys and repeats.
std::vector<std::string> propertyKeys(const KxParameterCollection& collection) {
    KxArray<KxColumnHeaderProperty> columns;
    std::vector<std::string> keys;
    if (collection.getSupportedProperties(columns) != Lumo::eOk) {
        return keys;
    }
    for (const KxColumnHeaderProperty& column : columns) {
        std::string key = utf8(column.mKey);
        if (!key.empty() && !isFixed(key) &&
            std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(std::move(key));
        }
    }
    return keys;
}

// The group names of a cell, each once; empty names between separators are skipped.
std::vector<std::string> splitGroups(const std::string& cell) {
    std::vector<std::string> names;
    std::istringstream in(cell);
    for (std::string name; std::getline(in, name, kGroupSeparator);) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    return names;
}

// Where each column of the file is; -1 for a fixed column that the file leaves out.
struct Columns {
    std::array<int, kFixedColumns> fixed{-1, -1, -1, -1, -1};
    std::vector<std::pair<int, KxString>> properties;
};

// Maps the header onto the columns; unknown and repeated names are issues of the header's line.
bool readHeader(const KxCsv::Row& header, const std::vector<std::string>& keys, Columns& columns,
                std::vector<Issue>& issues) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& key = header.fields[i];
        const auto fixed = std::find(kFixedNames.begin(), kFixedNames.end(), key);
        if (!seen.insert(key).second) {
            issues.push_back(
                {header.line, Lumo::eDuplicateKey, "column " + quoted(key) + " twice"});
        } else if (fixed != kFixedNames.end()) {
            columns.fixed[static_cast<std::size_t>(fixed - kFixedNames.begin())] =
                static_cast<int>(i);
        } else if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
            columns.properties.emplace_back(static_cast<int>(i), wide(key));
        } else {
            issues.push_back({header.line, Lumo::eInvalidInput, "unknown column " + quoted(key)});
        }
    }
    if (columns.fixed[kName] < 0) {
        issues.push_back({header.line, Lumo::eInvalidInput, "no column 'name'"});
    }
    return issues.empty();
}

// The names an expression mentions, as the expression engine reads them (even from a text that
// does not compile): what the rows' order and their retries go by.
std::vector<std::string> mentionedNames(const std::string& expression) {
    KxCompiledExpression compiled;
    compiled.compile(KxString::fromUtf8(expression));
    std::vector<std::string> names;
    for (const std::wstring& name : compiled.variables()) {
        names.push_back(KxString(name).toUtf8());
    }
    return names;
}

// The rows in an order where a row comes after the rows whose names its expression mentions, the
// file's order otherwise; a cycle is broken where it is met.
std::vector<std::size_t> dependencyOrder(const std::vector<const KxCsv::Row*>& rows,
                                         const Columns& columns) {
    const int nameColumn = columns.fixed[kName];
    const int expressionColumn = columns.fixed[kExpression];
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        byName.emplace(rows[i]->fields[static_cast<std::size_t>(nameColumn)], i);
    }
    std::vector<std::vector<std::size_t>> uses(rows.size());
    for (std::size_t i = 0; expressionColumn >= 0 && i < rows.size(); ++i) {
        const std::string& expression = rows[i]->fields[static_cast<std::size_t>(expressionColumn)];
        for (const std::string& mentioned : mentionedNames(expression)) {
            const auto found = byName.find(mentioned);
            if (found != byName.end() && found->second != i) {
                uses[i].push_back(found->second);
            }
        }
    }
    // Depth first, without recursion: a chain of many rows would exhaust the stack.
    enum State { kNew, kOpen, kDone };
    std::vector<State> states(rows.size(), kNew);
    std::vector<std::size_t> order;
    std::vector<std::pair<std::size_t, std::size_t>> stack; // a row, and its next use to visit
    for (std::size_t start = 0; start < rows.size(); ++start) {
        if (states[start] != kNew) {
            continue;
        }
        states[start] = kOpen;
        stack.emplace_back(start, 0);
        while (!stack.empty()) {
            const std::size_t row = stack.back().first;
            if (stack.back().second < uses[row].size()) {
                const std::size_t used = uses[row][stack.back().second++];
                if (states[used] == kNew) {
                    states[used] = kOpen;
                    stack.emplace_back(used, 0);
                }
                continue;
            }
            states[row] = kDone;
            order.push_back(row);
            stack.pop_back();
        }
    }
    return order;
}

// Applies rows to the active collection, one at a time, each wholly or not at all.
class Importer {
public:
    Importer(KxParameterManager& manager, const KxParameterCollection& collection,
             const Columns& columns)
        : mManager(manager), mColumns(columns) {
        for (KxParameter* parameter : collection.getParameters()) {
            mByName.emplace(parameter->getName().wstr(), parameter);
        }
    }

    // True when the row is in effect; otherwise the row changed nothing and `issue` says why.
    bool apply(const KxCsv::Row& row, Issue& issue) {
        mpRow = &row;
        mpIssue = &issue;
        issue = {row.line, Lumo::eOk, {}};
        mName = cell(mColumns.fixed[kName]);
        mCatcher.mMessage = mCatcher.mDetail = KxString();
        const KxString name = wide(mName);
        KxParameter* parameter = find(name);
        const bool created = !parameter;
        if (created) {
            const Lumo::ErrorStatus status = mManager.createParameter(parameter);
            if (status != Lumo::eOk || !parameter) {
                return refuse(status != Lumo::eOk ? status : Lumo::eNullObjectPointer,
                              "the active collection made no parameter for " + quoted(mName));
            }
        }
        mpParameter = parameter;
        mUndo.clear();
        parameter->addReactor(&mCatcher);
        bool applied = (!created || run(parameter->setName(name), "name")) && setExpression() &&
                       setDescription() && setProperties() && setGroups();
        if (!applied) {
            undo();
        }
        parameter->removeReactor(&mCatcher);
        if (created && applied) {
            const Lumo::ErrorStatus status = mManager.addParameter(parameter);
            applied = status == Lumo::eOk;
            if (applied) {
                mByName[name.wstr()] = parameter;
            } else {
                refuse(status, "the new parameter could not be added");
            }
        }
        if (created && !applied && parameter->getOwner()) {
            // Never listed, so the manager's deletion, which goes by the lists, would not find it.
            KxArray<KxParameter*> discarded;
            discarded.append(parameter);
            parameter->getOwner()->deleteParameters(discarded);
        }
        return applied;
    }

private:
    const std::string& cell(int column) const {
        return mpRow->fields[static_cast<std::size_t>(column)];
    }

    KxParameter* find(const KxString& name) const {
        const auto found = mByName.find(name.wstr());
        return found != mByName.end() && found->second->getName() == name ? found->second : nullptr;
    }

    bool refuse(Lumo::ErrorStatus status, const std::string& message) {
        mpIssue->status = status;
        mpIssue->message = message;
        return false;
    }

    // Looks at the status of a change that the provider vets: a refusal becomes the row's issue,
    // with the provider's message.
    bool run(Lumo::ErrorStatus status, const std::string& what) {
        if (status == Lumo::eOk) {
            return true;
        }
        std::string message = mName + ": " + what + ": " +
                              (mCatcher.mMessage.isEmpty() ? "refused" : utf8(mCatcher.mMessage));
        if (!mCatcher.mDetail.isEmpty()) {
            message += " (" + utf8(mCatcher.mDetail) + ")";
        }
        return refuse(status, message);
    }

    // Takes back what the row changed, the last change first.
    void undo() {
        Lumo::ErrorStatus failed = Lumo::eOk;
        for (auto change = mUndo.rbegin(); change != mUndo.rend(); ++change) {
            const Lumo::ErrorStatus status = (*change)();
            failed = failed == Lumo::eOk ? status : failed;
        }
        mUndo.clear();
        if (failed != Lumo::eOk) {
            mpIssue->message += "; undoing the row failed (" + kxStatusText(failed) + ")";
        }
    }

    bool setExpression() {
        const int column = mColumns.fixed[kExpression];
        if (column < 0 || mpParameter->getExpression() == wide(cell(column))) {
            return true;
        }
        KxParameter* parameter = mpParameter;
        const KxString old = parameter->getExpression();
        if (!run(parameter->setExpression(wide(cell(column))),
                 "expression " + quoted(cell(column)))) {
            return false;
        }
        mUndo.emplace_back([parameter, old] { return parameter->setExpression(old); });
        return true;
    }

    bool setDescription() {
        const int column = mColumns.fixed[kDescription];
        if (column < 0) {
            return true;
        }
        if (mpParameter->getProperty(kDescriptionProperty)) {
            return setProperty(kDescriptionProperty, cell(column));
        }
        KxParameter* parameter = mpParameter;
        KxString old;
        parameter->getDescription(old);
        const KxString description = wide(cell(column));
        if (old == description) {
            return true;
        }
        if (!run(parameter->setDescription(description), "description")) {
            return false;
        }
        mUndo.emplace_back([parameter, old] { return parameter->setDescription(old); });
        return true;
    }

    bool setProperties() {
        for (const auto& [column, key] : mColumns.properties) {
            if (!setProperty(key, cell(column))) {
                return false;
            }
        }
        return true;
    }

    bool setProperty(const KxString& key, const std::string& text) {
        KxParameter* parameter = mpParameter;
        const KxParameterProperty* held = parameter->getProperty(key.kwszPtr());
        if (!held) {
            return text.empty() ||
                   refuse(Lumo::eKeyNotFound, mName + " has no property " + quoted(utf8(key)));
        }
        if (held->isReadOnly()) {
            return true;
        }
        KxDbEvalVariant value = held->value();
        if (value.getType() == kDwgNull) {
            value = wide(text);
        } else if (text.empty() && value.getType() != kDwgText) {
            return true;
        } else if (const Lumo::ErrorStatus status =
                       KxParameterUtil::stringToEvalVariant(wide(text), value);
                   status != Lumo::eOk) {
            return refuse(status, mName + ": " + quoted(text) + " is not a value for property " +
                                      quoted(utf8(key)));
        }
        if (value == held->value()) {
            return true;
        }
        const KxDbEvalVariant old = held->value();
        if (!run(parameter->setProperty(KxEditProperty(key, value)),
                 "property " + quoted(utf8(key)) + " = " + quoted(text))) {
            return false;
        }
        mUndo.emplace_back(
            [parameter, key, old] { return parameter->setProperty(KxEditProperty(key, old)); });
        return true;
    }

    bool setGroups() {
        const int column = mColumns.fixed[kGroups];
        if (column < 0) {
            return true;
        }
        const std::vector<std::string> names = splitGroups(cell(column));
        KxParameterGroupCollection* groups = mManager.getActiveGroupCollection();
        if (!groups) {
            return names.empty() ||
                   refuse(Lumo::eNullPtr, "there are no groups to put " + mName + " in");
        }
        std::vector<short> wanted;
        for (const std::string& name : names) {
            short index = 0;
            if (!groupIndex(*groups, name, index)) {
                return false;
            }
            wanted.push_back(index);
        }
        KxParameter* parameter = mpParameter;
        const KxParameterGroupNames named(groups);
        KxParameter::GroupIndexList current;
        parameter->getGroupNameIndexes(current);
        for (const short index : current) {
            const KxString* name = named.nameOf(index);
            if (name && std::find(wanted.begin(), wanted.end(), index) == wanted.end()) {
                if (!run(parameter->removeFromGroup(index),
                         "leaving group " + quoted(utf8(*name)))) {
                    return false;
                }
                mUndo.emplace_back([parameter, index] { return parameter->addToGroup(index); });
            }
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const short index = wanted[i];
            if (!current.contains(index)) {
                if (!run(parameter->addToGroup(index), "joining group " + quoted(names[i]))) {
                    return false;
                }
                mUndo.emplace_back(
                    [parameter, index] { return parameter->removeFromGroup(index); });
            }
        }
        return true;
    }

    // The index of the group of that name, added first when there is none.
    bool groupIndex(KxParameterGroupCollection& groups, const std::string& name, short& index) {
        const KxString group = wide(name);
        if (groups.getGroupIndex(group, index) == Lumo::eOk) {
            return true;
        }
        if (const Lumo::ErrorStatus status = groups.addParameterGroup(group); status != Lumo::eOk) {
            return refuse(status, "group " + quoted(name) + " could not be added");
        }
        mUndo.emplace_back([&groups, group] { return groups.deleteParameterGroup(group); });
        return groups.getGroupIndex(group, index) == Lumo::eOk ||
               refuse(Lumo::eKeyNotFound, "group " + quoted(name) + " was added but has no index");
    }

    KxParameterManager& mManager;
    const Columns& mColumns;
    std::unordered_map<std::wstring, KxParameter*> mByName;
    KxRefusalCatcher mCatcher;
    std::vector<std::function<Lumo::ErrorStatus()>> mUndo;
    // The row being applied, its issue and its parameter.
    const KxCsv::Row* mpRow = nullptr;
    std::string mName;
    Issue* mpIssue = nullptr;
    KxParameter* mpParameter = nullptr;
};

Result fileIssue(const std::string& what, const std::string& path) {
    Result result;
    result.issues.push_back(
        {0, Lumo::eInvalidInput, what + " " + quoted(path) + ": " + std::strerror(errno)});
    return result;
}

} // namespace

Result exportCsv(KxParameterManager& manager, std::string& out) {
    Result result;
    const KxParameterCollection* collection = manager.getActiveCollection();
    if (!collection) {
        result.issues.push_back({0, Lumo::eNotActive, "there is no active collection"});
        return result;
    }
    const std::vector<std::string> keys = propertyKeys(*collection);
    std::vector<std::string> row(kFixedNames.begin(), kFixedNames.end());
    row.insert(row.end(), keys.begin(), keys.end());
    KxCsv::appendRow(out, row);
    // The cells read as the palette's, but every property is written, shown or not, so that the
    // file imports back whole.
    std::vector<KxPaletteColumn> columns;
    columns.reserve(keys.size());
    for (const std::string& key : keys) {
        columns.push_back({KxPaletteColumnKind::kProperty, wide(key), {}});
    }
    const KxParameterGroupNames groups(manager.getActiveGroupCollection());
    const KxString groupSeparator(std::wstring(1, kGroupSeparator));
    for (KxParameter* parameter : collection->getParameters()) {
        KxString description;
        parameter->getDescription(description);
        row = {utf8(parameter->getName()), utf8(parameter->getExpression()),
               utf8(kxDisplayValue(*parameter)), utf8(description),
               utf8(groups.textOf(*parameter, groupSeparator))};
        for (const KxPaletteColumn& column : columns) {
            row.push_back(utf8(kxPaletteCellText(*parameter, column, nullptr)));
        }
        KxCsv::appendRow(out, row);
        ++result.rows;
    }
    return result;
}

Result importCsv(KxParameterManager& manager, std::string_view csv) {
    Result result;
    const KxParameterCollection* collection = manager.getActiveCollection();
    if (!collection) {
        result.issues.push_back({0, Lumo::eNotActive, "there is no active collection"});
        return result;
    }
    std::vector<KxCsv::Row> rows;
    KxCsv::Error error;
    if (!KxCsv::read(csv, rows, error)) {
        result.issues.push_back({error.line, Lumo::eInvalidInput, error.message});
        return result;
    }
    if (rows.empty()) {
        result.issues.push_back({0, Lumo::eInvalidInput, "the file has no header row"});
        return result;
    }
    Columns columns;
    if (!readHeader(rows.front(), propertyKeys(*collection), columns, result.issues)) {
        return result;
    }

    // A row without a name, or with the name of an earlier row, is not tried at all.
    std::vector<const KxCsv::Row*> candidates;
    std::map<std::string, int> lines;
    const auto name = [&](const KxCsv::Row& row) -> const std::string& {
        return row.fields[static_cast<std::size_t>(columns.fixed[kName])];
    };
    for (auto row = std::next(rows.begin()); row != rows.end(); ++row) {
        if (name(*row).empty()) {
            result.issues.push_back({row->line, Lumo::eInvalidInput, "a row needs a name"});
        } else if (const auto [earlier, first] = lines.emplace(name(*row), row->line); !first) {
            result.issues.push_back({row->line, Lumo::eDuplicateKey,
                                     quoted(name(*row)) + " is on line " +
                                         std::to_string(earlier->second) + " already"});
        } else {
            candidates.push_back(&*row);
        }
    }

    // Rounds over the refused rows while a round applies some: a row that mentions a row which a
    // later round applies is tried again. Only then, so that a refusal is shown once.
    Importer importer(manager, *collection, columns);
    std::vector<Issue> refusals(candidates.size());
    std::vector<std::string> applied;                       // the names, in the order applied
    std::vector<std::size_t> triedAt(candidates.size(), 0); // applied.size() at the last try
    std::vector<bool> tried(candidates.size(), false);
    const auto mayChange = [&](std::size_t i) {
        if (!tried[i]) {
            return true;
        }
        const int column = columns.fixed[kExpression];
        if (column < 0) {
            return false;
        }
        const std::vector<std::string> mentioned =
            mentionedNames(candidates[i]->fields[static_cast<std::size_t>(column)]);
        return std::any_of(applied.begin() + static_cast<std::ptrdiff_t>(triedAt[i]), applied.end(),
                           [&](const std::string& appliedName) {
                               return std::find(mentioned.begin(), mentioned.end(), appliedName) !=
                                      mentioned.end();
                           });
    };
    std::vector<std::size_t> pending = dependencyOrder(candidates, columns);
    while (!pending.empty()) {
        std::vector<std::size_t> refused;
        for (const std::size_t i : pending) {
            if (!mayChange(i)) {
                refused.push_back(i);
                continue;
            }
            tried[i] = true;
            triedAt[i] = applied.size();
            if (importer.apply(*candidates[i], refusals[i])) {
                applied.push_back(name(*candidates[i]));
                ++result.rows;
            } else {
                refused.push_back(i);
            }
        }
        if (refused.size() == pending.size()) {
            break;
        }
        pending = std::move(refused);
    }
    for (const std::size_t i : pending) {
        result.issues.push_back(refusals[i]);
    }
    std::stable_sort(result.issues.begin(), result.issues.end(),
                     [](const Issue& a, const Issue& b) { return a.line < b.line; });
    return result;
}

Result exportFile(KxParameterManager& manager, const std::string& path) {
    std::string csv;
    Result result = exportCsv(manager, csv);
    if (!result.ok()) {
        return result;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return fileIssue("cannot write", path);
    }
    const bool written = std::fwrite(csv.data(), 1, csv.size(), file) == csv.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        errno = written ? errno : writeError;
        return fileIssue("cannot write", path);
    }
    return result;
}

Result importFile(KxParameterManager& manager, const std::string& path) {
    // Standard I/O rather than streams: reading a folder is then an error, not an exception.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return fileIssue("cannot read", path);
    }
    std::string csv;
    std::array<char, 65536> buffer{};
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) {
        csv.append(buffer.data(), got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        errno = readError;
        return fileIssue("cannot read", path);
    }
    return importCsv(manager, csv);
}

std::string describe(const Issue& issue) {
    return (issue.line > 0 ? "line " + std::to_string(issue.line) + ": " : std::string()) +
           issue.message + " (" + kxStatusText(issue.status) + ")";
}

} // namespace KxParameterTransfer
