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

    IKxApParameterManagerESWHost* mpHost = nullptr;
    std::set<IKxApParameterManagerESWHostEvents*> mEvents;
};
