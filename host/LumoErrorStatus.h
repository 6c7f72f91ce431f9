#pragma once

namespace Lumo {

// The host's status codes. A provider may return any other value; the enumeration's underlying
// type holds it unchanged.
enum ErrorStatus : int {
    eOk = 0,                 // success, or nothing to do
    eNotImplemented = 1,     // nothing supplied: no entries, no columns, no palette attached
    eNotAllowed = 2,         // the change is refused by the base class
    eInvalidInput = 3,       // not registered, not found, or not one value of the wanted type
    eNullObjectId = 16,      // the object id is null
    eNullObjectPointer = 20, // the object pointer is null
    eKeyNotFound = 22,       // no entry of that name
    eDuplicateKey = 23,      // an entry of that name exists already
    eEmptyList = 24,         // nothing is registered at all
    eNotAnEntity = 93,       // no entity to work on
    eNoDocument = 330,       // no document to work on
    eNotActive = 340,        // nothing is active
    eUntypedValue = 374,     // the value carries no type
    eNotSupported = 431,     // the operation or type is not supported
    eNullPtr = 506,          // a pointer argument is null, or a needed link is missing
    eInvalidObjectId = 600,  // the object id names no object
    eAlreadyUsed = 20051,    // a one-time object was used before
};

} // namespace Lumo
