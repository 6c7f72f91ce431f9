#include "host/KxPlatform.h"

// MinGW's standard library may have defined them already.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace KxPlatform {

namespace {

// GetLastError's code is overwritten by the next system call: its text is kept here for
// lastModuleError.
thread_local std::string tLastModuleError;

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int wide = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// Worded as dlerror words it, the path first, so that a refusal reads alike on every system.
void recordModuleError(const std::string& path, DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    ::LocalFree(text);
    // Some messages hold an insert for the file, which the text already names first.
    if (const auto insert = message.find(L"%1"); insert != std::wstring::npos) {
        message.replace(insert, 2, L"this file");
    }
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    tLastModuleError =
        path + ": " + (message.empty() ? "system error " + std::to_string(code) : toUtf8(message));
}

bool failed(std::string& error) {
    error = std::system_category().message(static_cast<int>(::GetLastError()));
    return false;
}

void* symbolOf(void* module, const char* name) {
    if (!module || !name) {
        return nullptr;
    }
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

} // namespace

void* openModule(const std::string& path, ModuleLifetime lifetime) {
    const std::wstring wide = toPath(path).wstring();
    HMODULE module = ::LoadLibraryW(wide.c_str());
    if (!module) {
        recordModuleError(path, ::GetLastError());
        return nullptr;
    }
    if (lifetime == ModuleLifetime::pinned) {
        HMODULE pinned = nullptr;
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, wide.c_str(), &pinned);
    }
    return module;
}

void* openLoadedModule(const std::string& path) {
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(0, toPath(path).wstring().c_str(), &module)) {
        recordModuleError(path, ::GetLastError());
        return nullptr;
    }
    return module;
}

void closeModule(void* module) {
    if (module) {
        ::FreeLibrary(static_cast<HMODULE>(module));
    }
}

void* moduleSymbol(void* module, const char* name) {
    return symbolOf(module, name);
}

// GetProcAddress reads the module's own export table alone, never that of a library it uses.
void* ownModuleSymbol(void* module, const char* name) {
    return symbolOf(module, name);
}

std::string lastModuleError() {
    return tLastModuleError;
}

std::string programPath() {
    // The path may be longer than MAX_PATH: the buffer grows until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return toUtf8(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> environmentVariable(const char* name) {
    const std::wstring wideName = toPath(name).wstring();
    ::SetLastError(ERROR_SUCCESS);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) {
        // Zero is also the answer for a variable set to the empty text.
        return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                          : std::optional<std::string>("");
    }
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(std::min<DWORD>(length, size));
    return toUtf8(value);
}

// UTF-8 both ways: the narrow std::filesystem conversions would use the ANSI code page.
std::filesystem::path toPath(const std::string& utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

std::string fromPath(const std::filesystem::path& path) {
    return toUtf8(path.native());
}

// MinGW's std::filesystem takes a share (\\server\share) for a relative path: it is absolute.
bool isAbsolutePath(const std::string& path) {
    const auto separator = [&](std::size_t at) { return path[at] == '\\' || path[at] == '/'; };
    const bool share = path.size() > 2 && separator(0) && separator(1) && !separator(2);
    return share || toPath(path).is_absolute();
}

char pathListSeparator() {
    return ';';
}

bool sameModuleName(std::wstring_view first, std::wstring_view second) {
    const auto folded = [](wchar_t letter) {
        return letter >= L'A' && letter <= L'Z' ? static_cast<wchar_t>(letter - L'A' + L'a')
                                                : letter;
    };
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [&](wchar_t one, wchar_t other) { return folded(one) == folded(other); });
}

void* createFile(const std::string& path, std::string& error) {
    HANDLE file = ::CreateFileW(toPath(path).wstring().c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failed(error);
        return nullptr;
    }
    return file;
}

bool writeFile(void* file, std::string_view bytes, std::string& error) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(static_cast<HANDLE>(file), bytes.data(), chunk, &written, nullptr)) {
            return failed(error);
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool syncFile(void* file, std::string& error) {
    return ::FlushFileBuffers(static_cast<HANDLE>(file)) || failed(error);
}

bool closeFile(void* file, std::string& error) {
    return ::CloseHandle(static_cast<HANDLE>(file)) || failed(error);
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
    return ::MoveFileExW(toPath(from).wstring().c_str(), toPath(to).wstring().c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           failed(error);
}

// MOVEFILE_WRITE_THROUGH has put the rename on the disk already.
bool syncDirectory(const std::string&, std::string&) {
    return true;
}

bool removeFile(const std::string& path) {
    return ::DeleteFileW(toPath(path).wstring().c_str()) != 0;
}

} // namespace KxPlatform
