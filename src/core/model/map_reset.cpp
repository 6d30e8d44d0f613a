#include "core/model/map_reset.h"

#include "core/model/language_file.h"
#include "core/model/map_access.h"

namespace d7 {

bool resetCurrentMap(EditorState& st, Prompt& prompt) {
    if (!prompt.askYesNo(kResetMapCaption, kResetMapQuestion)) return false;
    const int n = st.curMap;
    clearMap(st, n);
    // Without this a save would write the empty block beside the old Ext
    // record: the game would show the old minimap and outside lands.
    markMapFileChanged(st, fileOfMap(n));

    markNamesChanged(st);
    if (st.mapNames.size() <= std::size_t(n)) st.mapNames.resize(std::size_t(n) + 1);
    st.mapNames[std::size_t(n)] = kEmptyMapName;
    writeNameEntry(st.langStream, kMapNamesEntry, st.mapNames);

    const std::size_t first = std::size_t(n) * kDomainSlotsPerMap;
    if (st.domainNames.size() < first + kDomainListEntries)
        st.domainNames.resize(first + kDomainListEntries);
    st.domainNames[first] = kEmptyLandsName;
    for (int k = 1; k < kDomainListEntries; ++k)
        st.domainNames[first + std::size_t(k)] = "CTY" + std::to_string(k);
    writeNameEntry(st.langStream, kDomainNamesEntry, st.domainNames);

    selectMap(st, n);
    return true;
}

}  // namespace d7
