#include "core/analysis/analyse_map.h"

namespace d7 {

// Placeholder until the analysis pass lands: resets the tables.
void AnalyseMap(EditorState& st) {
    for (auto& c : st.CountyTable) {
        std::string name = std::move(c.name);
        c = Acounty{};
        c.name = std::move(name);
    }
    st.StartDomains.fill(-1);
}

}  // namespace d7
