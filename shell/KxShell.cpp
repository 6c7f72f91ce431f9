#include "shell/KxShell.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupCollection.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxHostStatus.h"
#include "host/KxModuleLoader.h"
#include "host/KxSysVars.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "model/KxParameterReactor.h"
#include "modules/console-palette/KxConsolePaletteControl.h"
#include "util/KxParameterUtil.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <sys/stat.h>
#include <unordered_set>

namespace {

constexpr const wchar_t* kLibraryModule = L"libKxParameterManager.so";
constexpr const wchar_t* kProviderModule = L"KxBracketPlate.dlx";
constexpr const wchar_t* kPaletteModule = L"KxParameter.dlx";
constexpr const char* kSystemVariables[] = {"LUNITS", "LUPREC", "AUNITS", "AUPREC"};

KxString wide(const std::string& text) {
    return KxString::fromUtf8(text);
}

std::string narrow(const std::wstring& text) {
    return KxString(text).toUtf8();
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
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

// Keeps the provider's answer to a change that nobody else hears yet.
class RefusalCatcher : public KxParameterReactor {
public:
    void modificationFailed(Lumo::ErrorStatus, const KxString& message, const KxString&) override {
        mMessage = message;
    }
    KxString mMessage;
};

bool isFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool parseShort(const std::string& text, short& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end;
}

} // namespace

KxShell::KxShell(std::ostream& out) : mOut(out) {}

KxShell::~KxShell() {
    stop();
}

const std::vector<KxShell::Command>& KxShell::commands() {
    static const std::vector<Command> table = {
        {"list", "", "draw the palette's table of parameters", &KxShell::list, 0},
        {"new", "[NAME]", "create a parameter in the active collection (named NAME)",
         &KxShell::create, 0},
        {"rename", "NAME NEW-NAME", "rename a parameter", &KxShell::rename, 2},
        {"expr", "NAME EXPRESSION", "give a parameter a new expression", &KxShell::expression, 2},
        {"set", "NAME PROPERTY VALUE", "set a property of a parameter", &KxShell::setProperty, 3},
        {"delete", "NAME...", "delete parameters (the provider may keep some)", &KxShell::remove,
         1},
        {"group", "add|delete|rename|list [NAME [NEW-NAME]]", "edit the list of groups",
         &KxShell::group, 1},
        {"join", "NAME GROUP", "put a parameter into a group", &KxShell::join, 2},
        {"leave", "NAME GROUP", "take a parameter out of a group", &KxShell::leave, 2},
        {"filter", "GROUP [--invert] | off", "show only a group's parameters, or all others",
         &KxShell::filter, 1},
        {"highlight", "NAME on|off", "highlight a parameter's entity in the drawing",
         &KxShell::highlight, 2},
        {"units", "[VARIABLE VALUE]", "show, or set, LUNITS, LUPREC, AUNITS and AUPREC",
         &KxShell::units, 0},
        {"begin", "", "open an undo bracket on the drawing", &KxShell::begin, 0},
        {"end", "", "close the undo bracket", &KxShell::end, 0},
        {"load", "MODULE|PATH", "load a module from the module directories, or a module file",
         &KxShell::load, 1},
        {"modules", "", "list the loaded modules", &KxShell::modules, 0},
        {"help", "", "list the commands", &KxShell::help, 0},
        {"quit", "", "leave the shell (also: exit, or the end of the input)", &KxShell::quit, 0},
    };
    return table;
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
    if (kxrxAppIsLoaded(kPaletteModule)) {
        if (KxConsolePaletteControl* control = palette()) {
            control->setOutput(&mOut);
        }
    }
    KxParameterManager::getInstance().ShowESW(true, true);
    return true;
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

void KxShell::run(std::istream& in, bool prompt) {
    if (prompt) {
        mOut << "Type 'help' for the commands, 'quit' to leave.\n";
    }
    std::string line;
    while (!mbQuit) {
        if (prompt) {
            mOut << "kxparam> " << std::flush;
        }
        if (!std::getline(in, line)) {
            break;
        }
        if (!prompt) {
            mOut << "> " << line << '\n';
        }
        execute(line);
        mOut << std::flush;
    }
    if (prompt && !mbQuit) {
        mOut << '\n';
    }
}

bool KxShell::execute(const std::string& line) {
    KxCommandLine command;
    std::string problem;
    if (!command.parse(line, problem)) {
        error(problem);
        return true;
    }
    if (command.size() == 0 || command[0][0] == '#') {
        return true;
    }
    const std::string& name = command[0] == "exit" ? std::string("quit") : command[0];
    const auto& table = commands();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const Command& entry) { return name == entry.name; });
    if (found == table.end()) {
        std::string message = "unknown command " + quoted(name);
        const auto closest =
            std::min_element(table.begin(), table.end(), [&](const Command& a, const Command& b) {
                return editDistance(name, a.name) < editDistance(name, b.name);
            });
        if (editDistance(name, closest->name) <= 2) {
            message += "; did you mean " + quoted(closest->name) + "?";
        }
        error(message + " (type 'help' for the commands)");
        return true;
    }
    if (command.size() - 1 < found->minimumArguments) {
        error(std::string(found->name) + " needs " + found->arguments + " (type 'help')");
        return true;
    }
    (this->*found->handler)(command);
    return !mbQuit;
}

void KxShell::help(const KxCommandLine&) {
    std::size_t width = 0;
    for (const Command& command : commands()) {
        width = std::max(width, std::string(command.name).size() + 1 +
                                    std::string(command.arguments).size());
    }
    mOut << "Commands (names and groups with blanks go in double quotes):\n";
    for (const Command& command : commands()) {
        std::string usage = std::string(command.name) +
                            (command.arguments[0] ? std::string(" ") + command.arguments : "");
        usage.resize(width, ' ');
        mOut << "  " << usage << "  " << command.description << '\n';
    }
}

void KxShell::list(const KxCommandLine&) {
    if (KxConsolePaletteControl* control = palette()) {
        control->draw();
    }
}

void KxShell::create(const KxCommandLine& line) {
    KxParameterManager& manager = KxParameterManager::getInstance();
    KxParameter* parameter = nullptr;
    const Lumo::ErrorStatus status = manager.createParameter(parameter);
    if (status != Lumo::eOk || !parameter) {
        error("the active collection made no parameter (status " + std::to_string(status) + ")");
        return;
    }
    // Named before it is added, so that a refused name leaves nothing behind and a script that
    // builds a large drawing needs no rename.
    if (line.size() > 1) {
        RefusalCatcher catcher;
        parameter->addReactor(&catcher);
        const Lumo::ErrorStatus named = parameter->setName(wide(line[1]));
        parameter->removeReactor(&catcher);
        if (named != Lumo::eOk) {
            KxArray<KxParameter*> discarded;
            discarded.append(parameter);
            parameter->getOwner()->deleteParameters(discarded);
            error(quoted(line[1]) + " cannot be its name: " + catcher.mMessage.toUtf8() +
                  " (status " + std::to_string(named) + ")");
            return;
        }
    }
    manager.addParameter(parameter);
    const std::string name = parameter->getName().toUtf8();
    mParameters[name] = parameter;
    mOut << "created " << name << '\n';
}

void KxShell::rename(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    KxConsolePaletteControl* control = parameter ? palette() : nullptr;
    if (control && control->editName(parameter, wide(line[2])) == Lumo::eOk) {
        mParameters.erase(line[1]);
        mParameters[parameter->getName().toUtf8()] = parameter;
    }
}

void KxShell::expression(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    KxConsolePaletteControl* control = parameter ? palette() : nullptr;
    if (control) {
        control->editExpression(parameter, wide(line.rest(2)));
    }
}

void KxShell::setProperty(const KxCommandLine& line) {
    KxParameter* parameter = findParameter(line[1]);
    if (!parameter) {
        return;
    }
    const KxString propertyName = wide(line[2]);
    const KxParameterProperty* held = parameter->getProperty(propertyName.kwszPtr());
    if (!held) {
        error(line[1] + " has no property " + quoted(line[2]));
        return;
    }
    // The text is read into the type the property holds now.
    KxDbEvalVariant value = held->value();
    const std::string text = line.rest(3);
    if (KxParameterUtil::stringToEvalVariant(wide(text), value) != Lumo::eOk) {
        error(quoted(text) + " is not " + typeDescription(value));
        return;
    }
    if (KxConsolePaletteControl* control = palette()) {
        control->editProperty(parameter, propertyName, value);
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
            mOut << "not deleted: " << names[i] << " (its provider keeps it)\n";
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
        error(verb == "rename" ? "a group's new name must differ from its old one"
                               : "a group needs a name");
    } else if (status != Lumo::eOk) {
        error("the provider refused (status " + std::to_string(status) + ")");
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
    // A refusal reaches the user through the palette's error dialog.
    if (join) {
        parameter->addToGroup(index);
    } else {
        parameter->removeFromGroup(index);
    }
}

void KxShell::filter(const KxCommandLine& line) {
    KxConsolePaletteControl* control = palette();
    if (!control) {
        return;
    }
    if (line[1] == "off" && line.size() == 2) {
        control->clearFilter();
        mOut << "filter off\n";
        return;
    }
    const bool invert = line.size() > 2 && line[2] == "--invert";
    if (line.size() > 3 || (line.size() == 3 && !invert)) {
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
        error(line[1] + " has no entity in the drawing to highlight");
    } else if (status != Lumo::eOk) {
        error("the drawing refused the highlight (status " + std::to_string(status) + ")");
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
        if (!parseShort(line[2], value.resval.rint) ||
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
    KxApDocument* document = kxDocManagerPtr()->curDocument();
    if (!document) {
        error("no drawing is open");
        return;
    }
    mpBracket = std::make_unique<KxPmUndoBracket>(document);
    mOut << "undo bracket opened on " << document->name().toUtf8()
         << (document->lockDepth() > 0 ? " (drawing locked)" : " (drawing not locked)") << '\n';
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
    if (module.find('/') == std::string::npos) {
        loadModule(module, false);
        return;
    }
    char resolved[PATH_MAX];
    if (!isFile(module) || !::realpath(module.c_str(), resolved)) {
        error("no module file " + quoted(module));
        return;
    }
    const std::string path = resolved;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (kxrxAppIsLoaded(wide(name).kwszPtr())) {
        error("a module named " + quoted(name) + " is loaded already");
        return;
    }
    mOut << std::flush;
    if (kxrxLoadModuleFile(path)) {
        mOut << "loaded " << name << '\n';
    } else {
        error(quoted(module) + " was not loaded");
    }
}

void KxShell::modules(const KxCommandLine&) {
    for (const std::wstring& name : kxrxLoadedModules()) {
        KxRxModuleInfo info;
        kxrxGetModuleInfo(name.c_str(), info);
        mOut << "  " << narrow(name) << (info.unlocked ? ", unloadable" : "")
             << (info.mdiAware ? ", works with several drawings" : "") << '\n';
    }
}

void KxShell::quit(const KxCommandLine&) {
    mbQuit = true;
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

KxConsolePaletteControl* KxShell::palette() {
    auto control = reinterpret_cast<KxConsolePaletteControlFunction>(
        kxrxModuleSymbol(kPaletteModule, kKxConsolePaletteControlSymbol));
    if (!control) {
        error("the console palette is not loaded");
        return nullptr;
    }
    return control();
}

void KxShell::error(const std::string& message) {
    mOut << "error: " << message << '\n';
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
    } else if (kxrxResolveModulePath(name).empty() && isFile(name)) {
        // A name alone is looked for in the module directories only, never here.
        error(quoted(name) + " was not loaded ('load ./" + name + "' loads the file here)");
    } else {
        error(quoted(name) + " was not loaded");
    }
}
