#include "cli/projectloading.h"

#include "project/projectfile.h"
#include "project/slidelist.h"

namespace vistarel::cli {

int loadProjectForCli(CliContext& context, const QString& path, bool skipMissing,
                      project::SlideList& slides, project::OutputSettings& output)
{
    using project::LoadResult;
    project::LoadCallbacks callbacks;
    callbacks.onMissingMedia = [&](const QString& file) {
        context.err << (skipMissing ? "warning: " : "error: ") << context.messages.str(24)
                    << ' ' << file << Qt::endl;
        return skipMissing ? project::MissingMediaAnswer::Skip : project::MissingMediaAnswer::Abort;
    };
    const LoadResult result = project::readProjectFile(path, slides, output, callbacks);
    switch (result.status) {
    case LoadResult::Status::Loaded:
        return kExitOk;
    case LoadResult::Status::FileNotFound:
        context.err << "error: " << context.messages.str(22) << path << Qt::endl;
        return kExitFailure;
    case LoadResult::Status::Unreadable:
        context.err << "error: " << path << ": " << result.error << Qt::endl;
        return kExitFailure;
    case LoadResult::Status::Aborted:
        context.err << "error: " << context.messages.str(23)
                    << " (--skip-missing skips such slides)" << Qt::endl;
        return kExitFailure;
    }
    return kExitFailure;
}

} // namespace vistarel::cli
