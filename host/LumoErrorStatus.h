#pragma once

/// The host's result statuses.
namespace Lumo {

/// The host's status codes. A provider may return any other value; the enumeration's underlying
/// type holds it unchanged.
enum ErrorStatus : int {
    eOk = 0,                 ///< success, or nothing to do
    eNotImplemented = 1,     ///< nothing supplied: no entries, no columns, no palette attached
    eNotAllowed = 2,         ///< the change is refused by the base class
    eInvalidInput = 3,       ///< not registered, not found, or not one value of the wanted type
    eNullObjectId = 16,      ///< the object id is null
    eNullObjectPointer = 20, ///< the object pointer is null
    eKeyNotFound = 22,       ///< no entry of that name
    eDuplicateKey = 23,      ///< an entry of that name exists already
    eEmptyList = 24,         ///< nothing is registered at all
    eWasOpenForRead = 80,    ///< the object is open for read and cannot be opened for write
    eWasOpenForWrite = 81,   ///< the object is open for write and cannot be opened again
    eNotOpen = 82,           ///< the object is not open
    eAlreadyInDb = 84,       ///< the object belongs to a database already
    eWasErased = 85,         ///< the object has been erased
    eNotHighlighted = 89,    ///< no highlight of that path to pop
    eNotAnEntity = 93,       ///< no entity to work on
    eNoDocument = 330,       ///< no document to work on
    eNotLocked = 331,        ///< the document holds no lock to release
    eNotActive = 340,        ///< nothing is active
    eUntypedValue = 374,     ///< the value carries no type
    eNotSupported = 431,     ///< the operation or type is not supported
    eNullPtr = 506,          ///< a pointer argument is null, or a needed link is missing
    eInvalidObjectId = 600,  ///< the object id names no object
    eEndOfFile = 701,        ///< a read went past the end of the data: a short or truncated file
    eWrongFieldType = 702,   ///< the next field of the data is of another type than the one asked
    eNewerVersion = 703,     ///< written by a newer version than this program can read
    eBadChecksum = 704,      ///< the data's checksum does not match its bytes
    eUnknownClass = 705,     ///< a class that must be known to read the data is not registered
    eBadFileFormat = 706,    ///< not a drawing file, or one whose structure is broken
    eFileError = 707,        ///< the file system refused to open, write, flush or rename a file
    eNothingToUndo = 710,    ///< the undo history holds no group to undo
    eNothingToRedo = 711,    ///< the undo history holds no group to redo
    eUndoGroupOpen = 712,    ///< refused while an undo group (a command or a bracket) is open
    eNoUndoGroup = 713,      ///< no undo group is open to end
    eAlreadyUsed = 20051,    ///< a one-time object was used before
};

} // namespace Lumo
