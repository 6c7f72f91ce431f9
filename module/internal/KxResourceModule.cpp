#include "module/internal/KxResourceModule.h"

#include "host/KxUtResource.h"

namespace {

void* gHandle = nullptr;

} // namespace

namespace KxResourceModule {

void load() {
    gHandle = KxUtResource::loadDll(L"KxParameterRes.dll", 0, 0);
}

void* handle() {
    return gHandle;
}

} // namespace KxResourceModule
