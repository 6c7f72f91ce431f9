#pragma once

#include <set>

class IKxApParameterManagerESWHost;
class IKxApParameterManagerESWHostEvents;
class KxParameterFilter;

// The proxy's state: the attached palette and the registered event sinks. Neither is owned.
class KxApParameterManagerESWImp {
public:
    virtual KxParameterFilter* getCurrentFilter() const;
    virtual ~KxApParameterManagerESWImp();

    // The attached palette; while none is, a KxPaletteBase, which gives the neutral answers.
    IKxApParameterManagerESWHost& palette() const;

    IKxApParameterManagerESWHost* mpHost = nullptr;
    std::set<IKxApParameterManagerESWHostEvents*> mEvents;
};
