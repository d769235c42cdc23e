// publish DIR: the league as a folder of static web pages.
#include <ostream>

#include "Commands.h"
#include "LeagueSite.h"
#include "SiteTitle.h"

namespace gr::admin {

int RunPublish(const CommandContext& ctx) {
    const std::string& folder = ctx.args.operands[0];
    const ComPtr<IDataService> data = ctx.session.Data();
    const std::string title = site::SiteTitle(data, ctx.args.title);
    const site::GRLeagueSite league = site::GRLeagueSite::Read(data, title);
    const site::PublishOutcome outcome = league.Publish(folder, ctx.args.force);
    if (!outcome.published && outcome.error.empty())
        return ctx.Fail(folder +
                        " holds other files and no league site: nothing was written. Use --force "
                        "to publish beside them (they are left as they are).");
    if (!outcome.published) return ctx.Fail(outcome.error);
    ctx.out << site::PublishedMessage(league.PageCount(), folder) << std::endl;
    return kExitOk;
}

}  // namespace gr::admin
