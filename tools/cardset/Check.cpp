// Placeholder
#include "tools/cardset/Verbs.h"
namespace velmo::tool {
int RunCheck(const QStringList&, std::ostream&, std::ostream& Err) {
    PrintError(Err, "TODO");
    return kExitFailure;
}
}  // namespace velmo::tool
