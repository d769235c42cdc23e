// The component factory of GRSetupSrvc: the program creates "GRSetupSrvc.SetupService".
#include <cstring>

#include "ComponentFactory.h"
#include "SetupService.h"

extern "C" __attribute__((visibility("default"))) bool GRCreateObject(const char* className,
                                                                      gr::IUnknown** out) {
    if (className == nullptr || out == nullptr) return false;
    if (std::strcmp(className, "GRSetupSrvc.SetupService") != 0) return false;
    try {
        *out = static_cast<gr::ISetupService*>(gr::MakeCom<gr::SetupService>().Detach());
        return true;
    } catch (...) {
        return false;
    }
}
