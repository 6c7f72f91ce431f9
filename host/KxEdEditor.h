#pragma once

/// @file
/// The editor and its reactors for modeless operations.

#include "host/KxHostExport.h"

/// Hears what the host's editor announces. Every notice has an empty body.
class KX_HOST_EXPORT KxEdEditorReactor {
public:
    virtual ~KxEdEditorReactor();
    /// An operation that leaves the user free to go on working starts, or has ended; the context
    /// names it, or is empty.
    ///@{
    virtual void modelessOperationWillStart(const wchar_t* context);
    virtual void modelessOperationEnded(const wchar_t* context);
    ///@}
};

/// Each reactor is registered once: false for null or for one registered already.
KX_HOST_EXPORT bool kxedAddEditorReactor(KxEdEditorReactor* reactor);
/// False when the reactor is not registered.
KX_HOST_EXPORT bool kxedRemoveEditorReactor(KxEdEditorReactor* reactor);
/// Forgets every editor reactor, without telling them.
KX_HOST_EXPORT void kxedRemoveAllEditorReactors();

/// Tell every editor reactor, in the order of registration; a null context arrives as "". The two
/// also bracket an undo group of the current document's database (KxDbDatabase::beginUndoGroup,
/// named after the context): the start opens or joins it before the reactors hear, the matching
/// end closes it, on the same database, after they have heard.
///@{
KX_HOST_EXPORT bool kxedSendModelessOperationStart(const wchar_t* context);
KX_HOST_EXPORT bool kxedSendModelessOperationEnded(const wchar_t* context);
///@}
