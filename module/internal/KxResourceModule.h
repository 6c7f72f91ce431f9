#pragma once

// The handle of the library's resource module "KxParameterRes.dll": null before the start
// message, or when the module could not be loaded. Never released.
namespace KxResourceModule {

void load();
void* handle();

} // namespace KxResourceModule
