#pragma once

/// @file
/// The registry that makes database objects by class name when a drawing file is read.

#include "host/KxHostExport.h"
#include "host/LumoErrorStatus.h"

class KxDbObject;

/// Makes a new object of one class, in no database, with the fields of a new object; its caller
/// owns it.
using KxDbObjectMaker = KxDbObject* (*)();

/// Registers a class by the name its objects' className() gives, so that a drawing file's objects
/// of that class can be made. A module registers its classes when it loads and withdraws them when
/// it unloads. A mandatory class is one that a reader must know: a file with an object of it is
/// refused by a program that does not; objects of other classes that a reader does not know are
/// kept as they were read. eNullPtr for a null name or maker, eInvalidInput for an empty name,
/// eDuplicateKey for a name registered already.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbRegisterClass(const wchar_t* className, KxDbObjectMaker make,
                                                   bool mandatory);
/// Withdraws a class. Every object of it in a database is replaced by a stand-in of the host's,
/// under the same id, that keeps its fields, reactors and erased flag and writes them to files and
/// undo images unchanged, so that the module that defined the class may unload; pointers to the
/// objects name nothing then. eKeyNotFound when the class is not registered, eNotAllowed for the
/// host's own classes (KxDbObject, KxDbEntity, KxDbPolyline, KxDbCircle), which are always
/// registered.
KX_HOST_EXPORT Lumo::ErrorStatus kxdbUnregisterClass(const wchar_t* className);
/// True while a class of that name is registered.
KX_HOST_EXPORT bool kxdbIsClassRegistered(const wchar_t* className);
/// True when the class is registered as one that a reader must know.
KX_HOST_EXPORT bool kxdbIsClassMandatory(const wchar_t* className);
/// A new object of the registered class; null when none of that name is registered.
KX_HOST_EXPORT KxDbObject* kxdbCreateObject(const wchar_t* className);
