#include "app/ViewRefresh.h"

#include "app/Workspace.h"

namespace qx {

TViewCacheKey WindowViewKey(const TWorkspace& ws, int window) {
    TViewCacheKey key;
    key.ArchiveRevision = ws.Archive().Revision();
    key.Offset = ws.DrawsOffset();
    key.Window = window;
    return key;
}

} // namespace qx
