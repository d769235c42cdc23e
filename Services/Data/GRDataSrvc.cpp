// The component factory of GRDataSrvc, the one symbol the library exports: the setup service
// creates "GRDataSrvc.DataService".
#include <string>

#include "DataService.h"

extern "C" __attribute__((visibility("default"))) bool GRCreateObject(const char* className,
                                                                      gr::IUnknown** out) {
    if (!out) return false;
    *out = nullptr;
    if (!className || std::string(className) != "GRDataSrvc.DataService") return false;
    gr::ComPtr<gr::IDataService> service = gr::MakeCom<gr::data::DataService>();
    *out = service.Detach();
    return true;
}
