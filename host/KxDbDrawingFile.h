#pragma once

/// @file
/// Drawing files (.kxd): a database's objects and the drawing's system variables, saved and read.

#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

#include <string>
#include <string_view>

class KxDbDatabase;

/// The versions of the drawing file (docs/file-format.md).
namespace KxDbDrawing {
/// The version of the layout that this program writes.
constexpr int kFormatVersion = 1;
/// The layout version this program reads: it reads every file whose lowest reader version is at
/// most this.
constexpr int kReaderVersion = 1;
/// The program version written into each file's header.
constexpr const char* kProgramVersion = "KxParameterManager host 1.0.0";
} // namespace KxDbDrawing

/// The bytes of a drawing file of the database's objects that are not erased, in the order they
/// were added, and of the system variables LUNITS, LUPREC, AUNITS and AUPREC. eUnknownClass for an
/// object whose class is not registered (it could not be read back), eUndoGroupOpen while an undo
/// group holds changes, eNotAllowed when a system variable cannot be read, or the status of an
/// object's writeFields; `message` then says which, and `bytes` is left as it was.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbWriteDrawing(const KxDbDatabase& database, std::string& bytes,
                                                  std::string& message);
/// Replaces the database's objects and the system variables with those of a drawing file, after
/// checking the whole file: eEndOfFile for a truncated file, eBadChecksum, eNewerVersion for a
/// file that needs a newer reader or an object of a class version newer than this program's,
/// eUnknownClass for an object of a class that is not registered and that the file marks
/// mandatory, eBadFileFormat for anything else broken, or an object's readFields status; and
/// eUndoGroupOpen while an undo group holds changes, eWasOpenForRead or eWasOpenForWrite while an
/// object of the database is open. `message` then says which, and nothing changed. Objects of
/// other unknown classes are kept as read and written back unchanged. On success the undo history
/// is empty, the database is unchanged since read, and its reactors hear drawingRead.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbReadDrawing(KxDbDatabase& database, std::string_view bytes,
                                                 std::string& message);
/// Replaces the database's objects with none, as a new drawing has; the system variables stay.
/// eUndoGroupOpen, eWasOpenForRead or eWasOpenForWrite as kxdbReadDrawing refuses, with `message`
/// saying why. On success the undo history is empty, the database is unchanged, and its reactors
/// hear drawingRead.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbClearDrawing(KxDbDatabase& database, std::string& message);
/// Saves the drawing in the file at that path (UTF-8) without ever losing the file it replaces:
/// the new file is written beside it, flushed to the disk and renamed over it, and the previous
/// file is kept as PATH.bak. Any refusal of kxdbWriteDrawing, or eFileError when the system
/// refuses a step; `message` says why, and the file at the path is as it was. On success the
/// database is unchanged since saved.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbSaveDrawing(KxDbDatabase& database, const std::string& path,
                                                 std::string& message);
/// Saves the drawing in the file at that path as kxdbSaveDrawing does, but as a copy: the database
/// does not count as saved, for a recovery file written beside the drawing's own.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbSaveDrawingCopy(const KxDbDatabase& database,
                                                     const std::string& path, std::string& message);
/// Reads the drawing file at that path into the database as kxdbReadDrawing does; eFileError when
/// the file cannot be read.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbOpenDrawing(KxDbDatabase& database, const std::string& path,
                                                 std::string& message);
