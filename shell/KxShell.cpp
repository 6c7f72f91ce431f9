#include "shell/KxShell.h"

#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "host/KxHostStatus.h"
#include "host/KxModuleLoader.h"
#include "host/KxPlatform.h"
#include "host/KxStatusName.h"
#include "host/KxSysVars.h"
#include "kit/KxPaletteControl.h"
#include "kit/KxParameterGroupNames.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "model/KxParameterValueSetList.h"
#include "shell/KxParameterTransfer.h"
#include "shell/KxRefusalCatcher.h"
#include "util/KxParameterUtil.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <unordered_set>

namespace {

// The build names the library's file: libKxParameterManager.so on Linux, KxParameterManager.dll on
// Windows.
constexpr const wchar_t* kLibraryModule = L"" KX_LIBRARY_MODULE;
constexpr const wchar_t* kProviderModule = L"KxBracketPlate.dlx";
constexpr const wchar_t* kPaletteModule = L"KxParameter.dlx";
constexpr const char* kSystemVariables[] = {"LUNITS", "LUPREC", "AUNITS", "AUPREC"};
// The most arguments of a command whose last one is the rest of the line.
constexpr std::size_t kRest = SIZE_MAX;

KxString wide(const std::string& text) {
    return KxString::fromUtf8(text);
}

std::string narrow(const std::wstring& text) {
    return KxString(text).toUtf8();
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

// " (eInvalidInput, 3)": how every message names the status it reports.
std::string statusSuffix(Lumo::ErrorStatus status) {
    return " (" + kxStatusText(status) + ")";
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Letter case is ignored for ASCII letters only, as the host's expressions do: the same in every
// locale.
bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

// What a text must hold to become a value of the variant's type.
std::string typeDescription(const KxDbEvalVariant& value) {
    switch (value.getType()) {
    case kDwgReal:
        return "a number";
    case kDwgInt32:
        return "a whole number";
    case kDwgInt16:
        return "a whole number from -32767 to 32767";
    default:
        return "a value of the property's type";
    }
}

template <typename Integer>
bool parseWhole(const std::string& text, Integer& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end;
}

// A text as `show` prints it: the empty text as "", so that a line never ends in nothing.
std::string shown(const KxString& text) {
    return text.isEmpty() ? std::string("\"\"") : text.toUtf8();
}

// " (one of 1, 2, 3)" for the values a property may take; nothing when it may take any.
std::string valueSetSuffix(const KxParameterValueSet* set) {
    if (!set) {
        return {};
    }
    const auto* list = dynamic_cast<const KxParameterValueSetList*>(set);
    if (!list) {
        return " (a set of values of another kind)";
    }
    std::string values;
    for (const KxDbEvalVariant& value : list->values()) {
        values += (values.empty() ? "" : ", ") + shown(KxParameterUtil::evalVariantToString(value));
    }
    return " (one of " + values + ")";
}

} // namespace

KxShell::KxShell(std::ostream& out, std::ostream& errors) : mOut(out), mErr(errors) {}

KxShell::~KxShell() {
    stop();
}

const std::vector<KxShell::Command>& KxShell::commands() {
    using enum Command::UndoGroup;
    static const std::vector<Command> table = {
        {"list", "", "draw the palette's table of parameters",
         "Draws the rows that pass the palette's filter: name, expression, value in the drawing's\n"
         "units, groups, and a column for each property the provider offers. A '!' marks the cell\n"
         "of a refused edit.",
         &KxShell::list, 0, 0, Outside},
        {"show", "NAME", "show every field of one parameter",
         "Prints the name, expression, value, description, type, groups and entity of a\n"
         "parameter, whether its expression is read-only, and each property with its value, its\n"
         "read-only flag and the values it may take.",
         &KxShell::show, 1, 1, Outside},
        {"new", "[NAME]", "create a parameter in the active collection (named NAME)",
         "The provider makes and names it (param1, param2, ...); a NAME that it refuses leaves\n"
         "nothing behind.",
         &KxShell::create, 0, 1, Own},
        {"rename", "NAME NEW-NAME", "rename a parameter",
         "The provider vets the new name; a refusal shows in the palette's error box.",
         &KxShell::rename, 2, 2, Own},
        {"expr", "NAME EXPRESSION", "give a parameter a new expression",
         "EXPRESSION is the rest of the line. The provider vets it; a refusal shows in the\n"
         "palette's error box.",
         &KxShell::expression, 2, kRest, Own},
        {"set", "NAME PROPERTY VALUE", "set a property of a parameter",
         "PROPERTY is a property's name or its column's title, in any letter case ('Used by').\n"
         "VALUE, the rest of the line, is read as the property's type; \"\" is the empty text.",
         &KxShell::setProperty, 3, kRest, Own},
        {"delete", "NAME...", "delete parameters (the provider may keep some)",
         "The provider keeps the parameters that others still use; each one kept is an error.",
         &KxShell::remove, 1, kRest, Own},
        {"export", "FILE", "write the active collection's parameters to a CSV file",
         "One row per parameter: name, expression, value (in the drawing's units), description,\n"
         "groups (separated by ';'), then a column for each property the provider offers.",
         &KxShell::exportFile, 1, 1, Outside},
        {"import", "FILE", "read parameters from a CSV file as 'export' writes it",
         "Each row finds or creates its parameter and goes through the provider, which vets\n"
         "every change; a refused row is an error with its line and changes nothing, the others\n"
         "go on. A malformed file changes nothing at all.",
         &KxShell::importFile, 1, 1, Own},
        {"group", "add|delete|rename|list [NAME [NEW-NAME]]", "edit the list of groups",
         "group add NAME, group delete NAME, group rename NAME NEW-NAME, or group list (with each\n"
         "group's index).",
         &KxShell::group, 1, 3, Own},
        {"join", "NAME GROUP", "put a parameter into a group",
         "A refusal by the provider shows in the palette's error box.", &KxShell::join, 2, 2, Own},
        {"leave", "NAME GROUP", "take a parameter out of a group",
         "A refusal by the provider shows in the palette's error box.", &KxShell::leave, 2, 2, Own},
        {"filter", "GROUP [--invert] | off", "show only a group's parameters, or all others",
         "The palette then shows only the group's parameters, or with --invert only the others;\n"
         "'filter off' shows them all.",
         &KxShell::filter, 1, 2, Outside},
        {"highlight", "NAME on|off", "highlight a parameter's entity in the drawing",
         "Pushes, or pops, a highlight on the parameter's entity.", &KxShell::highlight, 2, 2,
         Outside},
        {"units", "[VARIABLE VALUE]", "show, or set, LUNITS, LUPREC, AUNITS and AUPREC",
         "LUNITS 1-5 (scientific, decimal, engineering, architectural, fractional), LUPREC 0-8,\n"
         "AUNITS 0-4 (degrees, degrees/minutes/seconds, grads, radians, surveyor's), AUPREC 0-8.\n"
         "The palette draws its values in the new units.",
         &KxShell::units, 0, 2, Own},
        {"begin", "", "open an undo bracket on the drawing",
         "Locks the drawing and brackets the edits that follow, until 'end': 'undo' takes them\n"
         "back as one step.",
         &KxShell::begin, 0, 0, Outside},
        {"end", "", "close the undo bracket", "Closes the bracket and unlocks the drawing.",
         &KxShell::end, 0, 0, Outside},
        {"drawing", "", "show the drawing's file, unsaved changes and undo steps",
         "Prints in one line the drawing's name and file, whether it has changes that are not\n"
         "saved, and how many steps undo and redo can take, with the name of the next one.",
         &KxShell::drawing, 0, 0, Outside},
        {"undo", "[N]", "undo the last edit of the drawing, or the last N",
         "Each command that edits the drawing is one step, named after it; a 'begin' ... 'end'\n"
         "bracket is one step too. N is a whole number from 1 on; with fewer steps to take back,\n"
         "nothing is undone. Refused while an undo bracket is open.",
         &KxShell::undo, 0, 1, Outside},
        {"redo", "[N]", "redo what undo took back, one step or N",
         "As 'undo', the other way. A command that edits the drawing after an undo leaves nothing\n"
         "to redo.",
         &KxShell::redo, 0, 1, Outside},
        {"save", "[FILE]", "save the drawing in FILE, or in its own file",
         "Without FILE, in the file that the drawing was last saved in or opened from; an error\n"
         "when it has none. The file replaced is kept as FILE.bak.",
         &KxShell::save, 0, 1, Outside},
        {"open", "FILE", "open a drawing file in place of the drawing",
         "A file that is damaged, truncated, of a newer version or no drawing at all is refused\n"
         "and the drawing stays as it was. Unsaved changes are lost, with a warning.",
         &KxShell::open, 1, 1, Outside},
        {"new-drawing", "", "start an empty drawing without a file",
         "Unsaved changes are lost, with a warning; 'save FILE' then names the new drawing's file.",
         &KxShell::newDrawing, 0, 0, Outside},
        {"load", "MODULE|PATH", "load a module from the module directories, or a module file",
         "A name alone is looked for in the module directories (--module-dir, then\n"
         "KXPARAM_MODULE_PATH, then the installed ones); a name with a '/' is a module file.",
         &KxShell::load, 1, 1, Outside},
        {"unload", "MODULE", "unload a module that 'modules' lists",
         "A provider's parameters, or the palette, go with their module; 'load' brings them back.\n"
         "The parameter library itself stays while the shell runs.",
         &KxShell::unload, 1, 1, Outside},
        {"modules", "", "list the loaded modules", "In the order they were loaded.",
         &KxShell::modules, 0, 0, Outside},
        {"help", "[COMMAND]", "list the commands, or tell more of one",
         "Without COMMAND, the list of commands; with one, its usage and what it does.",
         &KxShell::help, 0, 1, Outside},
        {"quit", "", "leave the shell (also: exit, or the end of the input)",
         "The exit status is 1 when a command failed, 0 otherwise. Unsaved changes to the drawing\n"
         "are lost, with a warning on the error stream that fails nothing.",
         &KxShell::quit, 0, 0, Outside},
    };
    return table;
}

const KxShell::Command* KxShell::findCommand(const std::string& name) {
    const auto& table = commands();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const Command& entry) { return name == entry.name; });
    if (found != table.end()) {
        return &*found;
    }
    std::string message = "unknown command " + quoted(name);
    const auto closest =
        std::min_element(table.begin(), table.end(), [&](const Command& a, const Command& b) {
            return editDistance(name, a.name) < editDistance(name, b.name);
        });
    if (editDistance(name, closest->name) <= 2) {
        message += "; did you mean " + quoted(closest->name) + "?";
    }
    error(message + " (type 'help' for the commands)");
    return nullptr;
}

bool KxShell::start(const std::vector<std::string>& moduleDirectories) {
    for (const std::string& directory : moduleDirectories) {
        kxrxAddModuleDirectory(directory);
    }
    if (!kxDocManagerPtr()->curDocument()) {
        kxDocManagerPtr()->newDocument(L"Drawing1");
    }
    loadModule(narrow(kLibraryModule), false);
    if (!kxrxAppIsLoaded(kLibraryModule)) {
        return false;
    }
    // The sample provider is a component of its own: an installation without it asks for nothing.
    if (!kxrxResolveModulePath(narrow(kProviderModule)).empty()) {
        loadModule(narrow(kProviderModule), false);
    }
    // The manager loads the palette when it is first used; load it here if nobody used it yet.
    loadModule(narrow(kPaletteModule), true);
    connectPalette();
    kxDocManagerPtr()->curDocument()->database()->forgetUndoHistory();
    return true;
}

std::string KxShell::openDrawing(const std::string& path) {
    KxApDocument* current = kxDocManagerPtr()->curDocument();
    if (!current) {
        return "no drawing is open";
    }
    std::string message;
    const Lumo::ErrorStatus status = current->open(path, message);
    mParameters.clear(); // the provider rebuilds its parameters from the drawing read
    return status == Lumo::eOk ? std::string() : message + statusSuffix(status);
}

std::string KxShell::recoverDrawing(const std::string& recoveryPath,
                                    const std::string& originalPath) {
    KxApDocument* current = kxDocManagerPtr()->curDocument();
    if (!current) {
        return "no drawing is open";
    }
    std::string message;
    const Lumo::ErrorStatus status = current->recover(recoveryPath, originalPath, message);
    mParameters.clear(); // the provider rebuilds its parameters from the drawing read
    return status == Lumo::eOk ? std::string() : message + statusSuffix(status);
}

void KxShell::leave() {
    if (const KxApDocument* current = kxDocManagerPtr()->curDocument()) {
        warning(unsavedChanges(*current));
    }
}

void KxShell::stop() {
    mpBracket.reset();
    mParameters.clear();
    // The last loaded goes first: the palette before the provider, the library last of all.
    std::vector<std::wstring> loaded = kxrxLoadedModules();
    for (auto module = loaded.rbegin(); module != loaded.rend(); ++module) {
        kxrxUnloadModule(module->c_str());
    }
}

void KxShell::run(const std::function<bool(std::string&)>& next, bool echo, bool bail) {
    std::string line;
    while (!mbQuit && next(line)) {
        if (echo) {
            mOut << "> " << line << '\n';
        }
        const bool succeeded = execute(line);
        mOut << std::flush;
        if (bail && !succeeded) {
            break;
        }
    }
}

bool KxShell::execute(const std::string& line) {
    mbLineFailed = false;
    KxCommandLine command;
    std::string problem;
    if (!command.parse(line, problem)) {
        error(problem);
        return false;
    }
    if (command.size() == 0 || command[0].starts_with('#')) {
        return true;
    }
    const Command* found = findCommand(command[0] == "exit" ? std::string("quit") : command[0]);
    if (!found) {
        return false;
    }
    if (command.size() - 1 < found->minimumArguments) {
        error(std::string(found->name) + " needs " + found->arguments + " (type 'help " +
              found->name + "')");
        return false;
    }
    // A name with blanks typed without quotes would otherwise lose its last words unseen.
    if (command.size() - 1 > found->maximumArguments) {
        const std::string usage =
            std::string(found->name) + (found->arguments[0] ? " " : "") + found->arguments;
        error("too many words for '" + usage + "' from " +
              quoted(command[found->maximumArguments + 1]) +
              " on (a word with blanks goes in double quotes)");
        return false;
    }
    KxApDocument* grouped =
        found->undoGroup == Command::UndoGroup::Own ? kxDocManagerPtr()->curDocument() : nullptr;
    if (grouped) {
        grouped->beginCommand(wide(found->name).kwszPtr());
    }
    (this->*found->handler)(command);
    if (grouped) {
        grouped->endCommand();
    }
    return !mbLineFailed;
}

void KxShell::help(const KxCommandLine& line) {
    if (line.size() > 1) {
        const Command* command = findCommand(line[1] == "exit" ? std::string("quit") : line[1]);
        if (command) {
            mOut << "usage: " << command->name
                 << (command->arguments[0] ? std::string(" ") + command->arguments : "") << '\n'
                 << command->description << ".\n"
                 << command->details << '\n';
        }
        return;
    }
    std::size_t width = 0;
    for (const Command& command : commands()) {
        width = std::max(width, std::string(command.name).size() + 1 +
                                    std::string(command.arguments).size());
    }
    mOut << "Commands ('help COMMAND' tells more of one):\n";
    for (const Command& command : commands()) {
        std::string usage = std::string(command.name) +
                            (command.arguments[0] ? std::string(" ") + command.arguments : "");
        usage.resize(width, ' ');
        mOut << "  " << usage << "  " << command.description << '\n';
    }
    mOut
        << "A word with blanks goes in double quotes (\"outer wall\"); \"\" is the empty text, "
           "\\\" a quote\nand \\\\ a backslash. Errors and refused edits go to the error stream.\n";
}

void KxShell::list(const KxCommandLine&) {
    if (KxPaletteControl* control = palette()) {
        control->draw();
    }
}

void KxShell::show(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    if (!parameter) {
        return;
    }
    // A field that the provider does not give shows the status it answered instead.
    const auto field = [&](const char* label, Lumo::ErrorStatus status, const std::string& text,
                           KxParameter::PropNameIndex index) {
        std::string padded = label;
        padded.resize(13, ' ');
        mOut << padded << (status == Lumo::eOk ? text : "(" + kxStatusText(status) + ")");
        KxParameterValueSet* set = nullptr;
        if (index != KxParameter::kListedProperty) {
            parameter->getValueSet(KxParameter::PropNameInfo{index, {}}, set);
        }
        mOut << valueSetSuffix(set) << '\n';
    };
    const auto none = KxParameter::kListedProperty;
    field("name", Lumo::eOk, shown(parameter->getName()), KxParameter::kNameProperty);
    field("expression", Lumo::eOk,
          shown(parameter->getExpression()) +
              (parameter->isExpressionReadOnly() ? " (read-only)" : " (editable)"),
          KxParameter::kExpressionProperty);
    KxString text;
    Lumo::ErrorStatus status = parameter->getValueText(text);
    field("value", status, shown(text), KxParameter::kValueProperty);
    status = parameter->getDescription(text);
    field("description", status, shown(text), none);
    status = parameter->getTypeName(text);
    field("type", status, shown(text), none);

    const KxString groupNames =
        KxParameterGroupNames(KxParameterManager::getInstance().getActiveGroupCollection())
            .textOf(*parameter);
    field("groups", Lumo::eOk, groupNames.isEmpty() ? "none" : groupNames.toUtf8(), none);

    KxDbObjectId entity;
    status = parameter->getEntityId(entity);
    field("entity", status,
          entity.isNull()
              ? std::string("none")
              : "handle " + std::to_string(entity.handle()) + (entity.isValid() ? "" : " (erased)"),
          none);
    for (const KxParameterProperty* property : parameter->getProperties()) {
        KxParameterValueSet* set = nullptr;
        property->getValueSet(set);
        mOut << "property     " << shown(property->getName()) << " = "
             << shown(KxParameterUtil::evalVariantToString(property->value()))
             << (property->isReadOnly() ? " (read-only)" : "") << valueSetSuffix(set) << '\n';
    }
}

void KxShell::create(const KxCommandLine& line) {
    KxParameterManager& manager = KxParameterManager::getInstance();
    KxParameter* parameter = nullptr;
    const Lumo::ErrorStatus status = manager.createParameter(parameter);
    if (status == Lumo::eNotActive) {
        error("no active collection: load a provider first" + statusSuffix(status));
        return;
    }
    if (status != Lumo::eOk || !parameter) {
        error("the active collection made no parameter" + statusSuffix(status));
        return;
    }
    // Named before it is added, so that a refused name leaves nothing behind and a script that
    // builds a large drawing needs no rename.
    if (line.size() > 1) {
        KxRefusalCatcher catcher;
        parameter->addReactor(&catcher);
        const Lumo::ErrorStatus named = parameter->setName(wide(line[1]));
        parameter->removeReactor(&catcher);
        if (named != Lumo::eOk) {
            KxArray<KxParameter*> discarded;
            discarded.append(parameter);
            parameter->getOwner()->deleteParameters(discarded);
            error(quoted(line[1]) + " cannot be its name: " + catcher.mMessage.toUtf8() +
                  statusSuffix(named));
            return;
        }
    }
    const Lumo::ErrorStatus added = manager.addParameter(parameter);
    if (added != Lumo::eOk) {
        error("the active collection did not take the new parameter" + statusSuffix(added));
        return;
    }
    const std::string name = parameter->getName().toUtf8();
    mParameters[name] = parameter;
    mOut << "created " << name << '\n';
}

bool KxShell::edited(KxParameter& parameter, const std::string& what,
                     const std::function<Lumo::ErrorStatus()>& change) {
    KxRefusalCatcher catcher;
    parameter.addReactor(&catcher);
    const Lumo::ErrorStatus status = change();
    parameter.removeReactor(&catcher);
    if (status == Lumo::eOk) {
        return true;
    }
    // The palette shows what the provider said; without it, or without a word heard, the shell
    // says it.
    if (catcher.mbHeard && kxrxModuleSymbol(kPaletteModule, kKxPaletteControlSymbol)) {
        failed();
    } else {
        error(what + (catcher.mMessage.isEmpty() ? "" : ": " + catcher.mMessage.toUtf8()) +
              statusSuffix(status));
    }
    return false;
}

void KxShell::rename(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    KxPaletteControl* control = parameter ? palette() : nullptr;
    if (control && edited(*parameter, line[1] + " was not renamed",
                          [&] { return control->editName(parameter, wide(line[2])); })) {
        mParameters.erase(line[1]);
        mParameters[parameter->getName().toUtf8()] = parameter;
    }
}

void KxShell::expression(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    KxPaletteControl* control = parameter ? palette() : nullptr;
    if (control) {
        edited(*parameter, line[1] + "'s expression was not changed",
               [&] { return control->editExpression(parameter, wide(line.rest(2))); });
    }
}

std::wstring KxShell::propertyKey(KxParameter& parameter, const std::string& key) {
    std::wstring wanted = wide(key).wstr();
    if (parameter.getProperty(wanted.c_str())) {
        return wanted;
    }
    std::string names;
    for (const KxParameterProperty* property : parameter.getProperties()) {
        if (sameIgnoringCase(property->getName().wstr(), wanted)) {
            return property->getName().wstr();
        }
        names += (names.empty() ? "" : ", ") + property->getName().toUtf8();
    }
    // The palette's columns are titled for people ("Used by"): a title names its property too.
    KxArray<KxColumnHeaderProperty> columns;
    if (KxParameterCollection* owner = parameter.getOwner()) {
        owner->getSupportedProperties(columns);
    }
    for (const KxColumnHeaderProperty& column : columns) {
        if (sameIgnoringCase(column.mTitle.wstr(), wanted) &&
            parameter.getProperty(column.mKey.kwszPtr())) {
            return column.mKey.wstr();
        }
    }
    error(parameter.getName().toUtf8() + " has no property " + quoted(key) +
          (names.empty() ? std::string(" (it has none)") : " (it has " + names + ")"));
    return {};
}

void KxShell::setProperty(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    if (!parameter) {
        return;
    }
    const std::wstring key = propertyKey(*parameter, line[2]);
    const KxParameterProperty* held = key.empty() ? nullptr : parameter->getProperty(key.c_str());
    if (!held) {
        return;
    }
    // The text is read into the type the property holds now.
    KxDbEvalVariant value = held->value();
    const std::string text = line.rest(3);
    if (KxParameterUtil::stringToEvalVariant(wide(text), value) != Lumo::eOk) {
        error(quoted(text) + " is not " + typeDescription(value));
        return;
    }
    if (KxPaletteControl* control = palette()) {
        edited(*parameter, line[1] + "'s " + narrow(key) + " was not changed",
               [&] { return control->editProperty(parameter, KxString(key), value); });
    }
}

void KxShell::remove(const KxCommandLine& line) {
    KxArray<KxParameter*> doomed;
    std::vector<std::string> names;
    for (std::size_t i = 1; i < line.size(); ++i) {
        KxParameter* parameter = findParameter(line[i]);
        if (!parameter) {
            return;
        }
        doomed.append(parameter);
        names.push_back(line[i]);
    }
    KxParameterManager& manager = KxParameterManager::getInstance();
    manager.deleteParameters(doomed);
    mParameters.clear();
    // The provider may keep parameters that others still use; say which.
    KxArray<KxParameter*> listed;
    manager.getParameters(listed);
    const std::unordered_set<KxParameter*> remaining(listed.begin(), listed.end());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (remaining.count(doomed[static_cast<int>(i)]) != 0) {
            error("not deleted: " + names[i] + " (its provider keeps it)");
        }
    }
}

void KxShell::group(const KxCommandLine& line) {
    KxParameterGroupCollection* collection = groups();
    if (!collection) {
        return;
    }
    const std::string& verb = line[1];
    const std::size_t needed = verb == "rename" ? 4 : verb == "list" ? 2 : 3;
    if (verb != "add" && verb != "delete" && verb != "rename" && verb != "list") {
        error("group takes add, delete, rename or list, not " + quoted(verb));
        return;
    }
    if (line.size() < needed) {
        error("group " + verb + (verb == "rename" ? " needs OLD-NAME NEW-NAME" : " needs NAME"));
        return;
    }
    if (verb == "list") {
        KxArray<KxString> names;
        collection->getParameterGroups(names);
        if (names.isEmpty()) {
            mOut << "no groups\n";
        }
        for (const KxString& name : names) {
            short index = -1;
            collection->getGroupIndex(name, index);
            mOut << "  " << name.toUtf8() << " (" << index << ")\n";
        }
        return;
    }
    Lumo::ErrorStatus status = Lumo::eOk;
    std::string done;
    if (verb == "add") {
        status = collection->addParameterGroup(wide(line[2]));
        done = "group " + quoted(line[2]) + " added";
    } else if (verb == "delete") {
        status = collection->deleteParameterGroup(wide(line[2]));
        done = "group " + quoted(line[2]) + " deleted";
    } else {
        status = collection->renameParameterGroup(wide(line[2]), wide(line[3]));
        done = "group " + quoted(line[2]) + " renamed " + quoted(line[3]);
    }
    if (status == Lumo::eInvalidInput) {
        error((verb == "rename" ? "a group's new name must differ from its old one"
                                : "a group needs a name") +
              statusSuffix(status));
    } else if (status != Lumo::eOk) {
        error("the group collection refused" + statusSuffix(status));
    } else {
        mOut << done << '\n';
    }
}

void KxShell::join(const KxCommandLine& line) {
    changeMembership(line, true);
}

void KxShell::leave(const KxCommandLine& line) {
    changeMembership(line, false);
}

void KxShell::changeMembership(const KxCommandLine& line, bool join) {
    KxParameter* parameter = findParameter(line[1]);
    short index = -1;
    if (!parameter || !groupIndex(line[2], index)) {
        return;
    }
    edited(*parameter, line[1] + (join ? " did not join " : " did not leave ") + quoted(line[2]),
           [&] { return join ? parameter->addToGroup(index) : parameter->removeFromGroup(index); });
}

void KxShell::filter(const KxCommandLine& line) {
    KxPaletteControl* control = palette();
    if (!control) {
        return;
    }
    if (line[1] == "off" && line.size() == 2) {
        control->clearFilter();
        mOut << "filter off\n";
        return;
    }
    const bool invert = line.size() > 2 && line[2] == "--invert";
    if (line.size() == 3 && !invert) {
        error("filter takes a group and, after it, --invert");
        return;
    }
    if (control->setGroupFilter(wide(line[1]), invert) != Lumo::eOk) {
        error("no group named " + quoted(line[1]));
    }
}

void KxShell::highlight(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    if (!parameter) {
        return;
    }
    if (line[2] != "on" && line[2] != "off") {
        error("highlight takes on or off, not " + quoted(line[2]));
        return;
    }
    const bool on = line[2] == "on";
    const Lumo::ErrorStatus status = parameter->highlight(on, false);
    if (status == Lumo::eNotAnEntity) {
        error(line[1] + " has no entity in the drawing to highlight" + statusSuffix(status));
    } else if (status != Lumo::eOk) {
        error("the drawing refused the highlight" + statusSuffix(status));
    } else {
        mOut << line[1] << (on ? " highlighted" : " no longer highlighted") << '\n';
    }
}

void KxShell::units(const KxCommandLine& line) {
    if (line.size() == 3) {
        std::string variable = line[1];
        std::transform(variable.begin(), variable.end(), variable.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        const bool known = std::find(std::begin(kSystemVariables), std::end(kSystemVariables),
                                     variable) != std::end(kSystemVariables);
        KxResBuf value;
        value.restype = kRtInt16;
        if (!known) {
            error("no system variable " + quoted(line[1]) +
                  "; the units are LUNITS, LUPREC, "
                  "AUNITS and AUPREC");
            return;
        }
        if (!parseWhole(line[2], value.resval.rint) ||
            kxedSetVar(wide(variable).kwszPtr(), &value) != kRtNorm) {
            error(variable + " does not take " + quoted(line[2]) +
                  " (LUNITS 1-5, LUPREC 0-8, AUNITS 0-4, AUPREC 0-8)");
            return;
        }
        KxParameterManager::getInstance().refreshESW(true);
    } else if (line.size() != 1) {
        error("units takes nothing, or a variable and its value");
        return;
    }
    for (const char* variable : kSystemVariables) {
        KxResBuf value;
        kxedGetVar(wide(variable).kwszPtr(), &value);
        mOut << (variable == kSystemVariables[0] ? "" : "  ") << variable << ' '
             << value.resval.rint;
    }
    mOut << '\n';
}

void KxShell::begin(const KxCommandLine&) {
    if (mpBracket) {
        error("an undo bracket is open already; 'end' closes it");
        return;
    }
    KxApDocument* bracketed = document();
    if (!bracketed) {
        return;
    }
    mpBracket = std::make_unique<KxPmUndoBracket>(bracketed);
    mOut << "undo bracket opened on " << bracketed->name().toUtf8()
         << (bracketed->lockDepth() > 0 ? " (drawing locked)" : " (drawing not locked)") << '\n';
}

void KxShell::end(const KxCommandLine&) {
    if (!mpBracket) {
        error("no undo bracket is open; 'begin' opens one");
        return;
    }
    mpBracket.reset();
    KxApDocument* document = kxDocManagerPtr()->curDocument();
    mOut << "undo bracket closed"
         << (document && document->lockDepth() == 0 ? " (drawing unlocked)" : "") << '\n';
}

void KxShell::load(const KxCommandLine& line) {
    mParameters.clear(); // a module's start may change the parameters
    const std::string& module = line[1];
    if (!KxPlatform::hasDirectoryPart(module)) {
        loadModule(module, false);
        return;
    }
    const std::string path =
        KxPlatform::isRegularFile(module) ? KxPlatform::canonicalPath(module) : std::string();
    if (path.empty()) {
        error("no module file " + quoted(module));
        return;
    }
    const std::string name = KxPlatform::fileNameOf(path);
    if (kxrxAppIsLoaded(wide(name).kwszPtr())) {
        error("a module named " + quoted(name) + " is loaded already");
        return;
    }
    mOut << std::flush;
    if (kxrxLoadModuleFile(path)) {
        mOut << "loaded " << name << '\n';
        connectPalette();
    } else {
        error(quoted(module) + " was not loaded");
    }
}

void KxShell::unload(const KxCommandLine& line) {
    const std::string& module = line[1];
    const KxString name = wide(module);
    if (!kxrxAppIsLoaded(name.kwszPtr())) {
        error("no module named " + quoted(module) + " is loaded ('modules' lists them)");
        return;
    }
    // Every module works through the library: it goes last, when the shell stops.
    if (KxPlatform::sameModuleName(name.kwszPtr(), kLibraryModule)) {
        error(quoted(module) + " is the parameter library: it stays loaded while the shell runs");
        return;
    }
    mParameters.clear(); // a provider takes its parameters with it
    mOut << std::flush;
    kxrxUnloadModule(name.kwszPtr());
    mOut << "unloaded " << module << '\n';
}

void KxShell::exportFile(const KxCommandLine& line) {
    const KxParameterTransfer::Result result =
        KxParameterTransfer::exportFile(KxParameterManager::getInstance(), line[1]);
    for (const KxParameterTransfer::Issue& issue : result.issues) {
        error(KxParameterTransfer::describe(issue));
    }
    if (result.ok()) {
        mOut << "exported " << result.rows << (result.rows == 1 ? " parameter" : " parameters")
             << " to " << line[1] << '\n';
    }
}

void KxShell::importFile(const KxCommandLine& line) {
    mParameters.clear(); // the import may create and delete parameters
    const KxParameterTransfer::Result result =
        KxParameterTransfer::importFile(KxParameterManager::getInstance(), line[1]);
    mParameters.clear();
    for (const KxParameterTransfer::Issue& issue : result.issues) {
        error(KxParameterTransfer::describe(issue));
    }
    mOut << "imported " << result.rows << (result.rows == 1 ? " row" : " rows") << " from "
         << line[1] << '\n';
}

void KxShell::modules(const KxCommandLine&) {
    for (const std::wstring& name : kxrxLoadedModules()) {
        KxRxModuleInfo info;
        kxrxGetModuleInfo(name.c_str(), info);
        mOut << "  " << narrow(name) << (info.unlocked ? ", unloadable" : "")
             << (info.mdiAware ? ", works with several drawings" : "") << '\n';
    }
}

void KxShell::undo(const KxCommandLine& line) {
    step(line, true);
}

void KxShell::redo(const KxCommandLine& line) {
    step(line, false);
}

void KxShell::step(const KxCommandLine& line, bool undoing) {
    const std::string verb = undoing ? "undo" : "redo";
    int steps = 1;
    if (line.size() > 1 && (!parseWhole(line[1], steps) || steps < 1)) {
        error(verb + " takes a number of steps, a whole number from 1 on, not " + quoted(line[1]));
        return;
    }
    KxApDocument* current = document();
    if (!current) {
        return;
    }
    const KxDbDatabase& database = *current->database();
    // The host refuses while a group is open, which only a bracket leaves open between lines.
    if (database.undoGroupDepth() > 0) {
        error("cannot " + verb + " while an undo bracket is open; 'end' closes it" +
              statusSuffix(Lumo::eUndoGroupOpen));
        return;
    }
    // Steps that cannot all be taken are refused whole, as any bad input is.
    const int available = undoing ? database.undoCount() : database.redoCount();
    const Lumo::ErrorStatus none = undoing ? Lumo::eNothingToUndo : Lumo::eNothingToRedo;
    if (available == 0) {
        error("nothing to " + verb + statusSuffix(none));
        return;
    }
    if (available < steps) {
        error("cannot " + verb + " " + std::to_string(steps) + " steps, only " +
              std::to_string(available) + "; nothing was " + (undoing ? "undone" : "redone") +
              statusSuffix(none));
        return;
    }
    for (int i = 0; i < steps; ++i) {
        const KxString name = undoing ? database.undoName() : database.redoName();
        const Lumo::ErrorStatus status = undoing ? current->undo() : current->redo();
        mParameters.clear(); // the provider rebuilds the parameters that the step restored
        if (status != Lumo::eOk) {
            error(verb + " of " + quoted(name.toUtf8()) + " failed" + statusSuffix(status));
            return;
        }
        mOut << (undoing ? "undone: " : "redone: ") << shown(name) << '\n';
    }
}

void KxShell::save(const KxCommandLine& line) {
    KxApDocument* current = document();
    if (!current) {
        return;
    }
    // The empty text would otherwise stand for the drawing's own file.
    if (line.size() > 1 && line[1].empty()) {
        error("a drawing file needs a name");
        return;
    }
    std::string message;
    const Lumo::ErrorStatus status =
        current->save(line.size() > 1 ? line[1] : std::string(), message);
    if (status != Lumo::eOk) {
        error("not saved: " + message + statusSuffix(status));
        return;
    }
    mOut << "saved " << current->path() << '\n';
}

void KxShell::open(const KxCommandLine& line) {
    KxApDocument* current = document();
    if (!current) {
        return;
    }
    const std::string unsaved = unsavedChanges(*current);
    const std::string problem = openDrawing(line[1]);
    if (!problem.empty()) {
        error("not opened: " + problem);
        return;
    }
    warning(unsaved);
    mOut << "opened " << line[1] << '\n';
}

void KxShell::newDrawing(const KxCommandLine&) {
    KxApDocument* current = document();
    if (!current) {
        return;
    }
    const std::string unsaved = unsavedChanges(*current);
    std::string message;
    const Lumo::ErrorStatus status = current->newDrawing(message);
    mParameters.clear(); // the provider rebuilds its parameters for the empty drawing
    if (status != Lumo::eOk) {
        error("no new drawing: " + message + statusSuffix(status));
        return;
    }
    warning(unsaved);
    mOut << "new drawing " << current->name().toUtf8() << ", no file yet\n";
}

void KxShell::drawing(const KxCommandLine&) {
    const KxApDocument* current = document();
    if (!current) {
        return;
    }
    const KxDbDatabase& database = *current->database();
    const auto steps = [](int count, const KxString& next) {
        return count == 0 ? std::string("nothing")
                          : std::to_string(count) + (count == 1 ? " step" : " steps") +
                                ", the next " + quoted(next.toUtf8());
    };
    mOut << current->name().toUtf8() << ", "
         << (current->path().empty() ? std::string("no file yet") : "file " + current->path())
         << (current->isModified() ? ", unsaved changes" : ", nothing unsaved")
         << "; undo: " << steps(database.undoCount(), database.undoName())
         << "; redo: " << steps(database.redoCount(), database.redoName()) << '\n';
}

void KxShell::quit(const KxCommandLine&) {
    mbQuit = true;
    leave();
}

std::string KxShell::unsavedChanges(const KxApDocument& document) {
    if (!document.isModified()) {
        return {};
    }
    return "the drawing" +
           (document.path().empty() ? std::string() : " " + quoted(document.path())) +
           " has unsaved changes; they are lost";
}

KxParameter* KxShell::findParameter(const std::string& name) {
    const KxString wanted = wide(name);
    // The index may miss parameters that others added or renamed: look again before giving up.
    auto found = mParameters.find(name);
    if (found == mParameters.end() || found->second->getName() != wanted) {
        mParameters.clear();
        KxArray<KxParameter*> parameters;
        KxParameterManager::getInstance().getParameters(parameters);
        for (KxParameter* parameter : parameters) {
            if (parameter) {
                mParameters.emplace(parameter->getName().toUtf8(), parameter);
            }
        }
        found = mParameters.find(name);
    }
    if (found != mParameters.end() && found->second->getName() == wanted) {
        return found->second;
    }
    error("no parameter named " + quoted(name) + " ('list' shows them)");
    return nullptr;
}

KxParameterGroupCollection* KxShell::groups() {
    KxParameterGroupCollection* collection =
        KxParameterManager::getInstance().getActiveGroupCollection();
    if (!collection) {
        error("no group collection is registered");
    }
    return collection;
}

bool KxShell::groupIndex(const std::string& name, short& index) {
    KxParameterGroupCollection* collection = groups();
    if (!collection) {
        return false;
    }
    if (collection->getGroupIndex(wide(name), index) != Lumo::eOk) {
        error("no group named " + quoted(name) + " ('group list' shows them)");
        return false;
    }
    return true;
}

KxPaletteControl* KxShell::paletteControl() {
    auto control = reinterpret_cast<KxPaletteControlFunction>(
        kxrxModuleSymbol(kPaletteModule, kKxPaletteControlSymbol));
    return control ? control() : nullptr;
}

KxPaletteControl* KxShell::palette() {
    KxPaletteControl* control = paletteControl();
    if (!control) {
        error("no palette that takes edits is loaded ('load " + narrow(kPaletteModule) +
              "' loads one)");
    }
    return control;
}

KxApDocument* KxShell::document() {
    KxApDocument* current = kxDocManagerPtr()->curDocument();
    if (!current) {
        error("no drawing is open");
    }
    return current;
}

void KxShell::warning(const std::string& message) {
    if (!message.empty()) {
        mOut << std::flush;
        mErr << "warning: " << message << '\n' << std::flush;
    }
}

void KxShell::error(const std::string& message) {
    // What the line printed before the problem comes first, whichever stream shows it.
    mOut << std::flush;
    mErr << "error: " << message << '\n' << std::flush;
    failed();
}

void KxShell::failed() {
    mbLineFailed = true;
    mbFailed = true;
}

void KxShell::loadModule(const std::string& name, bool quietWhenLoaded) {
    const KxString module = wide(name);
    if (kxrxAppIsLoaded(module.kwszPtr())) {
        if (!quietWhenLoaded) {
            error(quoted(name) + " is loaded already");
        }
        return;
    }
    // The host explains a refusal on the error stream, which shows after what was written here.
    mOut << std::flush;
    if (kxrxLoadModule(module.kwszPtr(), false, true)) {
        mOut << "loaded " << name << '\n';
        connectPalette();
    } else if (kxrxResolveModulePath(name).empty() && KxPlatform::isRegularFile(name)) {
        // A name alone is looked for in the module directories only, never here.
        error(quoted(name) + " was not loaded ('load ./" + name + "' loads the file here)");
    } else {
        error(quoted(name) + " was not loaded");
    }
}

void KxShell::connectPalette() {
    // A palette that was loaded since the last call writes to the standard streams and is hidden.
    if (KxPaletteControl* palette = paletteControl()) {
        palette->setOutput(&mOut, &mErr);
        KxParameterManager& manager = KxParameterManager::getInstance();
        if (!manager.IsESWVisible()) {
            manager.ShowESW(true, true);
        }
    }
}
