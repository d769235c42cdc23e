// The receiver of element events that an EventForwarder delivers.
#pragma once

#include "GRUnknown.h"
#include "HtmlElement.h"

namespace gr::ui {

class IActualEventHandler {
  public:
    static constexpr Guid IID = MakeGuid("CDFD4A3F-E1B2-4FF2-BF1B-71AFA9AC8A72");

    // EventSource: the element whose event property holds the forwarder; EventObj: the event,
    // whose returnValue and cancelBubble the handler may set.
    virtual void HandleEvent(const ElementPtr& EventSource, HtmlEvent& EventObj) = 0;

  protected:
    ~IActualEventHandler() = default;
};

}  // namespace gr::ui
