#pragma once

#include "host/CImageList.h"
#include "host/KxArray.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;
class KxParameterCollection;
class KxParameterFilter;
class KxParameterGroupCollection;
class KxParameterManager;

/// The palette, as the model sees it. The palette module implements it; the proxy implements it
/// too, so that a holder of this interface can use either. The order is a binary interface.
class KX_PARAM_EXPORT IKxApParameterManagerESWHost {
public:
    /// Hands the palette the manager it works with.
    virtual void initialize(KxParameterManager* manager) = 0;
    /// Shows or hides the palette window, activating it when asked.
    virtual bool show(bool show, bool activate) = 0;
    /// Restores the palette window's layout.
    virtual bool restore(bool restore) = 0;
    /// Abandons the edit the user has under way in the palette.
    virtual void cancelCurrentEdit() = 0;
    /// Holds (true) or releases (false) the palette's updates, so that many changes show as one.
    virtual void setESWLockUpdate(bool lock) = 0;
    /// The images with which the palette shows the collection's parameters.
    virtual void SetImageListAndIndexPair(CImageList& images,
                                          KxParameterCollection* collection) = 0;
    /// Refreshes the row of a parameter that has changed.
    virtual Lumo::ErrorStatus updateParameterDataInUI(const KxParameter* parameter) = 0;
    /// Adds a row for the parameter; `origin` is 0 for a registration, 1 for a later addition.
    virtual Lumo::ErrorStatus addParameterDataInUI(KxParameter* parameter, int origin) = 0;
    /// Removes the rows of parameters that are being deleted, before the provider erases them.
    virtual void deleteParameterDataInUI(const KxArray<KxParameter*>& parameters) = 0;
    /// Rebuilds the group display from the group collection; null for none.
    virtual void repopulateGroupDataInUI(KxParameterGroupCollection* groups) = 0;
    /// Refreshes what the palette shows of the parameter's groups.
    virtual Lumo::ErrorStatus updateCurrentGroupDataInUI(const KxParameter* parameter) = 0;
    /// Tells the user that a change was refused, with its status and the provider's texts.
    virtual void showErrorTaskDialog(Lumo::ErrorStatus status, const KxString& message,
                                     const KxString& detail) = 0;
    /// Marks the cell under edit as holding a refused value.
    virtual void markInvalidCell() = 0;
    /// Whether the model should hand deletions to the palette's parameter list.
    virtual bool isListControlDeleted() const = 0;
    /// Holds (true) or releases (false) the palette's filtering while many parameters arrive.
    virtual void setFilterLock(bool lock) = 0;
    /// Redraws the palette; `full` asks for every row to be rebuilt.
    virtual void refresh(bool full) = 0;
    /// True while the palette window is shown.
    virtual bool IsVisible() const = 0;
    /// Replaces the expressions the palette offers for the user to pick.
    virtual Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>& expressions) = 0;
    /// Copies the expressions the palette offers into `expressions`.
    virtual void getPredefinedExpressions(KxArray<KxString>& expressions) const = 0;
    /// The manager's active collection has been set.
    virtual void activeCollectionChanged(KxParameterCollection* collection) = 0;
    /// Clears the text the user searches the parameters for.
    virtual void resetSearchPattern() = 0;
    /// Hides, or shows again, the tree of group filters.
    virtual void hideFilterTree(bool hide) = 0;
    /// The filter the palette applies; null for none. The values 1 and 2 are markers of the
    /// palette's own, never to be dereferenced.
    virtual KxParameterFilter* getCurrentFilter() const = 0;
    virtual ~IKxApParameterManagerESWHost();
};

/// Event sinks that other modules register with the proxy; the library only keeps them.
class KX_PARAM_EXPORT IKxApParameterManagerESWHostEvents {
public:
    virtual ~IKxApParameterManagerESWHostEvents();
};
