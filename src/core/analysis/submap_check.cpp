// "Check Submaps": the planes the game keeps beside a map against what the
// map's own planes give ("Create and Set all Submaps").
#include <algorithm>
#include <string>

#include "core/analysis/map_checks.h"
#include "core/model/auxiliary_planes.h"

namespace d7 {

namespace {

constexpr std::uint8_t kInsideA = 11;  // the minimap image's two random inside codes
constexpr std::uint8_t kInsideB = 12;

template <class Plane, class Same>
int differingPixels(const Plane& held, const Plane& derived, Same same) {
    int n = 0;
    for (std::size_t i = 0; i < held.bytes.size(); ++i)
        if (!same(held.bytes[i], derived.bytes[i])) ++n;
    return n;
}

bool equal(std::uint8_t a, std::uint8_t b) {
    return a == b;
}

// The image chooses 11 or 12 at random inside a domain: either is right.
bool sameImagePixel(std::uint8_t held, std::uint8_t derived) {
    const auto inside = [](std::uint8_t v) { return v == kInsideA || v == kInsideB; };
    return held == derived || (inside(held) && inside(derived));
}

bool hasLand(const WorkingPlanes& p) {
    return std::any_of(p.M0.bytes.begin(), p.M0.bytes.end(),
                       [](std::uint8_t m0) { return m0 != flags::kSea; });
}

}  // namespace

CheckReport checkSubmaps(const EditorState& st) {
    const WorkingPlanes& p = st.planes;
    CheckReport report;
    const auto finding = [&](std::string line) {
        report.fixes.push_back({report.lines.size(), {.kind = FixKind::CreateSubmaps}});
        report.lines.push_back(std::move(line));
        ++report.findings;
    };
    MinimapPlane mask, image;
    domainMaskOf(p.M5, mask);
    if (const int n = differingPixels(p.Ext1, mask, equal))
        finding("Minimap domain mask does not match the domains (" + std::to_string(n) +
                " pixels differ).");
    Random unused;  // the choice between 11 and 12 does not matter here
    minimapImageOf(p.Ext1, image, unused);
    if (const int n = differingPixels(p.Ext2, image, sameImagePixel))
        finding("Minimap image does not match the domain mask (" + std::to_string(n) +
                " pixels differ).");
    OutsidePlane outline;
    outlineOf(p.Ext5, outline);
    if (const int n = differingPixels(p.Outline, outline, equal))
        finding("Outline does not match the outside map (" + std::to_string(n) +
                " pixels differ).");
    const bool outsideEmpty = std::all_of(p.Ext5.bytes.begin(), p.Ext5.bytes.end(),
                                          [](std::uint8_t v) { return v == 0; });
    if (outsideEmpty && hasLand(p)) finding("Outside map is empty.");
    if (report.findings == 0) report.lines.push_back("Ok.");
    return report;
}

}  // namespace d7
