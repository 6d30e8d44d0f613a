#include "core/analysis/domain_renumber.h"

#include <string>

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/model/map_access.h"
#include "core/model/map_set_maintenance.h"

namespace d7 {

bool switchDomainNumbers(EditorState& st, int s, int t) {
    if (s < 1 || s > kMaxDomain || t < 0 || t > kMaxDomain) return false;
    {
        const SinkPause quiet(st);  // one full redraw instead of one per cell
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const int d = st.planes.M5.at(x, y);
                if (d == s)
                    setCellDomain(st, x, y, t, st.curMap, false);
                else if (d == t)
                    setCellDomain(st, x, y, s, st.curMap, false);
            }
    }
    const std::string nameS = domainNameSlot(st, st.curMap, s);
    const std::string nameT = domainNameSlot(st, st.curMap, t);
    setDomainName(st, s, nameT);
    setDomainName(st, t, nameS);
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
    return true;
}

}  // namespace d7
