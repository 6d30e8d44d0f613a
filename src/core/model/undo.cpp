#include "core/model/undo.h"

#include "core/model/map_access.h"

namespace d7 {

void pushUndo(EditorState& st) {
    readMapImage(st, st.curMap, st.undoBuffer.data());
    st.undoValid = true;
}

}  // namespace d7
