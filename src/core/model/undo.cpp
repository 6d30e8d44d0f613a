#include "core/model/undo.h"

#include <algorithm>
#include <stdexcept>

#include "core/model/map_access.h"

namespace d7 {

void pushUndo(EditorState& st) {
    readMapImage(st, st.curMap, st.undoBuffer.data());
    st.undoValid = true;
}

void writeMapImage(EditorState& st, std::span<const std::uint8_t> image) {
    if (image.size() < std::size_t(kMapImageSize))
        throw std::invalid_argument("writeMapImage: the image is shorter than a map image");
    const int n = st.curMap;
    if (!isMapNumber(n)) return;
    markMapStoreChanged(st);
    if (st.mapStore.size() >= blockOffset(n) + kBlockSize)
        std::copy_n(image.begin(), kBlockSize,
                    st.mapStore.begin() + std::ptrdiff_t(blockOffset(n)));
    const std::size_t file = std::size_t(fileOfMap(n));
    markMapFileChanged(st, int(file));
    Bytes& stream = st.extStreams[file];
    if (stream.size() >= extRecordOffset(n) + kExtRecordSize)
        std::copy_n(image.begin() + kBlockSize, kExtRecordSize,
                    stream.begin() + std::ptrdiff_t(extRecordOffset(n)));
}

void undoLastEdit(EditorState& st) {
    if (!st.undoValid) return;
    writeMapImage(st, st.undoBuffer);
    st.undoValid = false;
    reloadCurrentMap(st);
    std::fill(st.routeStale.begin() + 1, st.routeStale.end(), true);
}

}  // namespace d7
