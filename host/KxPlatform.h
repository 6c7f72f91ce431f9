#pragma once

/// @file
/// What the host and its programs need of the operating system: module files, the running
/// program's path, file paths and the environment, the same on POSIX systems and on Windows.

#include "host/KxHostExport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

/// The operating system behind one interface. Paths and texts are UTF-8; on Windows they are
/// converted to the system's UTF-16 and back.
namespace KxPlatform {

/// How long a module that openModule opens stays in memory.
enum class ModuleLifetime {
    untilClosed, ///< until closeModule has been called once for every openModule
    pinned,      ///< until the process ends, whatever closeModule is called
};

/// Opens the module file at this path, or counts one more use of it when it is open already; null
/// when the system refuses it, and lastModuleError then tells why.
KX_HOST_EXPORT void* openModule(const std::string& path,
                                ModuleLifetime lifetime = ModuleLifetime::untilClosed);
/// Counts one more use of the module at this path when it is open already; null, and nothing
/// loaded, when it is not.
KX_HOST_EXPORT void* openLoadedModule(const std::string& path);
/// Drops one use of a module; it is unloaded with its last, unless pinned.
KX_HOST_EXPORT void closeModule(void* module);
/// The exported symbol of that name that a lookup in the module finds, which on POSIX systems may
/// be one of a library it depends on; null when there is none.
KX_HOST_EXPORT void* moduleSymbol(void* module, const char* name);
/// The exported symbol of that name that the module defines itself, never one of another module;
/// null when it defines none.
KX_HOST_EXPORT void* ownModuleSymbol(void* module, const char* name);
/// Why the calling thread's last openModule failed, as the system words it; empty when the system
/// gave no reason.
KX_HOST_EXPORT std::string lastModuleError();

/// The path of the running program's file; empty when the system does not tell.
KX_HOST_EXPORT std::string programPath();
/// The value of an environment variable; none when it is not set.
KX_HOST_EXPORT std::optional<std::string> environmentVariable(const char* name);

/// The path as the file system takes it, from UTF-8 text.
KX_HOST_EXPORT std::filesystem::path toPath(const std::string& utf8);
/// The UTF-8 text of a path.
KX_HOST_EXPORT std::string fromPath(const std::filesystem::path& path);
/// Whether the path is absolute here: it begins with '/' on POSIX systems, with a drive and a
/// separator or with a share on Windows.
KX_HOST_EXPORT bool isAbsolutePath(const std::string& path);
/// Whether the path has a directory part, so that it is more than a file name alone.
KX_HOST_EXPORT bool hasDirectoryPart(const std::string& path);
/// The path of `name` in `directory`, with one separator between them.
KX_HOST_EXPORT std::string joinPath(const std::string& directory, const std::string& name);
/// The last part of the path, the file name; empty when the path ends in a separator.
KX_HOST_EXPORT std::string fileNameOf(const std::string& path);
/// The path without its last part; empty for a file name alone.
KX_HOST_EXPORT std::string directoryOf(const std::string& path);
/// The absolute path of an existing file or directory with every link, "." and ".." resolved;
/// empty when nothing exists there.
KX_HOST_EXPORT std::string canonicalPath(const std::string& path);
/// Whether the path names a regular file, or a link to one.
KX_HOST_EXPORT bool isRegularFile(const std::string& path);
/// Whether the path names a directory, or a link to one.
KX_HOST_EXPORT bool isDirectory(const std::string& path);
/// The character between the entries of a list of paths such as KXPARAM_MODULE_PATH: ':' on
/// POSIX systems, ';' on Windows, whose paths hold ':' after the drive letter.
KX_HOST_EXPORT char pathListSeparator();
/// Whether two module names name the same module file: exactly equal on POSIX systems; on Windows,
/// whose file names ignore case, equal but for the case of ASCII letters.
KX_HOST_EXPORT bool sameModuleName(std::wstring_view first, std::wstring_view second);

/// Creates the file, or empties it when it exists, and opens it for writing; null when the system
/// refuses, with its reason in `error`. The file is closed with closeFile.
KX_HOST_EXPORT void* createFile(const std::string& path, std::string& error);
/// Writes all the bytes at the end of what was written so far; false, with the reason, when the
/// system writes fewer (a full disk, an error of the device).
KX_HOST_EXPORT bool writeFile(void* file, std::string_view bytes, std::string& error);
/// Makes the system put what was written on the disk before it answers (fsync, FlushFileBuffers).
KX_HOST_EXPORT bool syncFile(void* file, std::string& error);
/// Closes the file whatever happens; false, with the reason, when the system reports a failure.
KX_HOST_EXPORT bool closeFile(void* file, std::string& error);
/// Puts the file `from` in the place of `to` in one step, replacing it when it exists; both are in
/// the same directory. On Windows the move is written through to the disk before it answers.
KX_HOST_EXPORT bool replaceFile(const std::string& from, const std::string& to, std::string& error);
/// Puts the directory's entries on the disk, so that a file renamed in it stays renamed after a
/// crash; true where the system keeps them so by itself (Windows) or cannot sync a directory.
KX_HOST_EXPORT bool syncDirectory(const std::string& directory, std::string& error);
/// Deletes the file; false when there was none or the system refuses.
KX_HOST_EXPORT bool removeFile(const std::string& path);

} // namespace KxPlatform
