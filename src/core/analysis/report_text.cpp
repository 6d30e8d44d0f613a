#include "core/analysis/report_text.h"

namespace d7 {

std::string oneLineText(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

std::string countyName(const EditorState& st, int d) {
    if (d == kLandWithoutDomain) d = 0;
    if (d < 0 || d >= kCountyRecords) return {};
    return oneLineText(st.CountyTable[std::size_t(d)].name);
}

std::string traderName(const EditorState& st, int t) {
    if (t >= 1 && std::size_t(t) <= st.traderNames.size())
        return oneLineText(st.traderNames[std::size_t(t - 1)]);
    return "Trader " + std::to_string(t);
}

}  // namespace d7
