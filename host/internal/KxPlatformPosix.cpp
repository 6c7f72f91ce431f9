#include "host/KxPlatform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace KxPlatform {

namespace {

// dlerror's text lasts only until the next dl* call of the thread: kept here for lastModuleError.
thread_local std::string tLastModuleError;

bool failed(std::string& error) {
    error = std::generic_category().message(errno);
    return false;
}

int descriptor(void* file) {
    return *static_cast<int*>(file);
}

void recordModuleError() {
    const char* error = ::dlerror();
    tLastModuleError = error ? error : "";
}

} // namespace

void* openModule(const std::string& path, ModuleLifetime lifetime) {
    int mode = RTLD_NOW | RTLD_LOCAL;
    if (lifetime == ModuleLifetime::pinned) {
        mode |= RTLD_NODELETE;
    }
    void* module = ::dlopen(path.c_str(), mode);
    if (!module) {
        recordModuleError();
    }
    return module;
}

void* openLoadedModule(const std::string& path) {
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!module) {
        recordModuleError();
    }
    return module;
}

void closeModule(void* module) {
    if (module) {
        ::dlclose(module);
    }
}

void* moduleSymbol(void* module, const char* name) {
    return module && name ? ::dlsym(module, name) : nullptr;
}

// A lookup through the handle also searches the libraries the module depends on: the symbol
// counts only when the object that defines it is the module's own file.
void* ownModuleSymbol(void* module, const char* name) {
    void* symbol = moduleSymbol(module, name);
    link_map* own = nullptr;
    Dl_info definedIn{};
    if (!symbol || ::dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 ||
        ::dladdr(symbol, &definedIn) == 0 || !definedIn.dli_fname ||
        std::strcmp(definedIn.dli_fname, own->l_name) != 0) {
        return nullptr;
    }
    return symbol;
}

std::string lastModuleError() {
    return tLastModuleError;
}

std::string programPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The file system takes any bytes here: no conversion, so that no path is lost.
std::filesystem::path toPath(const std::string& utf8) {
    return {utf8};
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

bool isAbsolutePath(const std::string& path) {
    return toPath(path).is_absolute();
}

char pathListSeparator() {
    return ':';
}

bool sameModuleName(std::wstring_view first, std::wstring_view second) {
    return first == second;
}

void* createFile(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        failed(error);
        return nullptr;
    }
    return new int(fd);
}

bool writeFile(void* file, std::string_view bytes, std::string& error) {
    while (!bytes.empty()) {
        const ::ssize_t written = ::write(descriptor(file), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failed(error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool syncFile(void* file, std::string& error) {
    return ::fsync(descriptor(file)) == 0 || failed(error);
}

bool closeFile(void* file, std::string& error) {
    const int fd = descriptor(file);
    delete static_cast<int*>(file);
    return ::close(fd) == 0 || failed(error);
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
    return std::rename(from.c_str(), to.c_str()) == 0 || failed(error);
}

bool syncDirectory(const std::string& directory, std::string& error) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return failed(error);
    }
    // Some file systems cannot sync a directory and say so: their entries are as safe as they get.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || failed(error);
    ::close(fd);
    return synced;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

} // namespace KxPlatform
