// A small component library for the class-name creation tests.
#include <cstring>

#include "ComObject.h"
#include "ComponentFactory.h"

namespace {

class IWidget : public gr::IUnknown {
  public:
    static constexpr gr::Guid IID = gr::MakeGuid("0D6C1A52-3B7E-4C41-9A0E-6F4B2D8E1A33");
    virtual int Answer() = 0;
};

class Widget final : public gr::ComObject<IWidget> {
  public:
    int Answer() override { return 42; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) bool GRCreateObject(const char* className,
                                                                      gr::IUnknown** out) {
    if (std::strcmp(className, "GRTestComp.Widget") != 0) return false;
    *out = gr::MakeCom<Widget>().Detach();
    return true;
}
