#include "cli/context.h"

namespace mv::cli {

// GroupWise commands: wired once the runs are in place.
static int notYet() {
    printError(QStringLiteral("this command is not available in this build"));
    return kFailure;
}
int cmdKey(Context&, const QStringList&) {
    return notYet();
}
int cmdWrite(Context&, const QStringList&) {
    return notYet();
}
int cmdDeleteAll(Context&, const QStringList&) {
    return notYet();
}
int cmdGroupWise(Context&, const QStringList&) {
    return notYet();
}

} // namespace mv::cli
