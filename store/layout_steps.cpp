#include "store/layout_steps.h"

#include "store/store_error.h"

namespace store {

void LayoutSteps::walk(int from, int to, const RunStep& run) const
{
    for (int version = from; version < to; ++version)
        run(m_steps[std::size_t(version)]);
}

bool LayoutSteps::needsUpgrade(int version, const QString& shownDatabase, const QString& newerRefusal) const
{
    if (version > newest())
        throw StoreError(newerRefusal.arg(shownDatabase).arg(version).arg(newest()));
    return version < newest();
}

} // namespace store
