#include "core/model/map_set_maintenance.h"

#include <algorithm>

#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7 {

void setDomainName(EditorState& st, int k, const std::string& text) {
    if (k < 0 || k >= kDomainListEntries) return;
    markNamesChanged(st);
    std::size_t slot = std::size_t(st.curMap) * kDomainSlotsPerMap + std::size_t(k);
    if (st.domainNames.size() <= slot) st.domainNames.resize(slot + 1);
    st.domainNames[slot] = text;
    st.CountyTable[std::size_t(k)].name = text;
    if (st.curDomainNames.size() <= std::size_t(k)) st.curDomainNames.resize(std::size_t(k) + 1);
    st.curDomainNames[std::size_t(k)] = text;
    writeNameEntry(st.langStream, kDomainNamesEntry, st.domainNames);
}

void setMapName(EditorState& st, const std::string& text) {
    markNamesChanged(st);
    if (st.mapNames.size() <= std::size_t(st.curMap))
        st.mapNames.resize(std::size_t(st.curMap) + 1);
    st.mapNames[std::size_t(st.curMap)] = text;
    writeNameEntry(st.langStream, kMapNamesEntry, st.mapNames);
}

void setHeader(EditorState& st) {
    const Bytes& first = st.extStreams[1];
    Bytes& current = st.extStreams[std::size_t(fileOfMap(st.curMap))];
    std::size_t n = std::min({first.size(), current.size(), std::size_t(kMapFileHeaderSize)});
    std::copy_n(first.begin(), n, current.begin());
}

void recreateExtstream(EditorState& st) {
    const std::size_t file = std::size_t(fileOfMap(st.curMap));
    markMapFileChanged(st, int(file));
    // For map01.pl8 itself the header is kept: it is the template.
    st.extStreams[file] = createMapFile(st.extStreams[1]);
}

int refillFeatureCode(const WorkingPlanes& p, int x, int y) {
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y), m4 = p.M4.at(x, y);
    if (p.M5.at(x, y) == kLandWithoutDomain) return 3;
    switch (m0) {
        case 0:
        case 2:
            return 3;
        case 1:
        case 3:
            return 63;
        case 4:
            return 4;
        case 8:
        case 10:
            if (m1 == 8) return 10;
            return m2 > 15 ? 32 : 40;
        case 16:
        case 18:
            return 9;
        case 32:
        case 34:
            return 13;
        case 64:
            return m4 != 0 ? 25 + m4 : 5;
        case 128:
        case 130:
            if (m1 == 12) {
                if (m2 == 0) return 21;
                if (m2 == 20) return 8;
                if (m2 == 30) return 14;
                return -1;
            }
            return m4 != 0 ? 25 + m4 : 15;
        default:
            return -1;
    }
}

void refillExt64(EditorState& st) {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const std::uint8_t domain = st.planes.M5.at(x, y);
            st.planes.Ext3.at(x, y) = domain;
            extByte(st, domain, x, y, kExt3, st.curMap);
            int code = refillFeatureCode(st.planes, x, y);
            if (code >= 0) extByte(st, std::uint8_t(code), x, y, kExt4, st.curMap);
        }
}

}  // namespace d7
