#include "host/KxStatusName.h"

const char* kxStatusName(Lumo::ErrorStatus status) {
    switch (status) {
    case Lumo::eOk:
        return "eOk";
    case Lumo::eNotImplemented:
        return "eNotImplemented";
    case Lumo::eNotAllowed:
        return "eNotAllowed";
    case Lumo::eInvalidInput:
        return "eInvalidInput";
    case Lumo::eNullObjectId:
        return "eNullObjectId";
    case Lumo::eNullObjectPointer:
        return "eNullObjectPointer";
    case Lumo::eKeyNotFound:
        return "eKeyNotFound";
    case Lumo::eDuplicateKey:
        return "eDuplicateKey";
    case Lumo::eEmptyList:
        return "eEmptyList";
    case Lumo::eWasOpenForRead:
        return "eWasOpenForRead";
    case Lumo::eWasOpenForWrite:
        return "eWasOpenForWrite";
    case Lumo::eNotOpen:
        return "eNotOpen";
    case Lumo::eAlreadyInDb:
        return "eAlreadyInDb";
    case Lumo::eWasErased:
        return "eWasErased";
    case Lumo::eNotHighlighted:
        return "eNotHighlighted";
    case Lumo::eNotAnEntity:
        return "eNotAnEntity";
    case Lumo::eNoDocument:
        return "eNoDocument";
    case Lumo::eNotLocked:
        return "eNotLocked";
    case Lumo::eNotActive:
        return "eNotActive";
    case Lumo::eUntypedValue:
        return "eUntypedValue";
    case Lumo::eNotSupported:
        return "eNotSupported";
    case Lumo::eNullPtr:
        return "eNullPtr";
    case Lumo::eInvalidObjectId:
        return "eInvalidObjectId";
    case Lumo::eEndOfFile:
        return "eEndOfFile";
    case Lumo::eWrongFieldType:
        return "eWrongFieldType";
    case Lumo::eNewerVersion:
        return "eNewerVersion";
    case Lumo::eBadChecksum:
        return "eBadChecksum";
    case Lumo::eUnknownClass:
        return "eUnknownClass";
    case Lumo::eBadFileFormat:
        return "eBadFileFormat";
    case Lumo::eFileError:
        return "eFileError";
    case Lumo::eNothingToUndo:
        return "eNothingToUndo";
    case Lumo::eNothingToRedo:
        return "eNothingToRedo";
    case Lumo::eUndoGroupOpen:
        return "eUndoGroupOpen";
    case Lumo::eNoUndoGroup:
        return "eNoUndoGroup";
    case Lumo::eAlreadyUsed:
        return "eAlreadyUsed";
    }
    return nullptr;
}

std::string kxStatusText(Lumo::ErrorStatus status) {
    const char* name = kxStatusName(status);
    const std::string number = std::to_string(static_cast<int>(status));
    return name ? std::string(name) + ", " + number : "status " + number;
}
