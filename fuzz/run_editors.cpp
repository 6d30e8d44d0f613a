#include "fuzz/run_editors.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/model/language_file.h"
#include "core/model/map_access.h"

namespace d7::fuzz {

namespace {

// A language file whose entries are all empty, for a map set in memory.
Bytes emptyLanguageFile() {
    Bytes file(kLanguageMinSize, 0);
    for (int k = 0; k <= kLanguageEntries; ++k) {
        const std::size_t at = kLanguageHeaderSize + 4 * std::size_t(k);
        for (int i = 0; i < 4; ++i)
            file[at + std::size_t(i)] = std::uint8_t(file.size() >> (8 * i));
    }
    return file;
}

// The blank map set, changeable here only for a moment in putBack().
EditorState& blank() {
    static const std::unique_ptr<EditorState> st = [] {
        auto s = makeEditorState();
        s->mapStore.assign(kMapStoreSize, 0);
        s->extStreams[1].assign(kMapFileSize, 0);
        s->langStream = emptyLanguageFile();
        s->mapNames.assign(kMapCount, "");
        selectMap(*s, 0);
        return s;
    }();
    return *st;
}

// Copies from[at, at + n) over to when both hold that range.
bool copyRange(Bytes& to, const Bytes& from, std::size_t at, std::size_t n) {
    if (to.size() != from.size() || from.size() < at + n) return false;
    std::memcpy(to.data() + at, from.data() + at, n);
    return true;
}

// work = start, in the memory work has. A run writes only the current map's
// block and Ext record and the language file: of the other images (2 MB),
// only what the run changed in size is copied. (Copying the images along with
// the rest would also go through the sanitizer's memmove, which copies a byte
// at a time; so is the undo record, which is copied with memcpy.) The images
// and the undo record are set aside in both while the rest is copied.
void putBack(EditorState& work, EditorState& start) {
    std::array<Bytes, kImages> workImages, startImages;
    for (int i = 0; i < kImages; ++i) {
        workImages[std::size_t(i)].swap(setImage(work, i));
        startImages[std::size_t(i)].swap(setImage(start, i));
    }
    Bytes workUndo, startUndo;
    workUndo.swap(work.undoBuffer);
    startUndo.swap(start.undoBuffer);
    const int map = work.curMap;
    work = start;
    work.undoBuffer.swap(workUndo);
    start.undoBuffer.swap(startUndo);
    work.undoBuffer.resize(start.undoBuffer.size());
    if (!start.undoBuffer.empty())
        std::memcpy(work.undoBuffer.data(), start.undoBuffer.data(), start.undoBuffer.size());
    for (int i = 0; i < kImages; ++i) {
        Bytes& to = setImage(work, i);
        Bytes& from = setImage(start, i);
        to.swap(workImages[std::size_t(i)]);
        from.swap(startImages[std::size_t(i)]);
        const bool copied =
            isMapNumber(map) &&
            ((i == 0 && copyRange(to, from, blockOffset(map), kBlockSize)) ||
             (i == fileOfMap(map) && copyRange(to, from, extRecordOffset(map), kExtRecordSize)));
        if (!copied && (to.size() != from.size() || i == kImages - 1))
            to.assign(from.begin(), from.end());
    }
}

// A kept buffer, and how far it may hold other bytes than zero past the
// size it is lent with (it holds what an earlier run put there).
struct KeptImage {
    Bytes buffer;
    std::size_t written = 0;
};

std::array<KeptImage, kImages>& keptImages() {
    static std::array<KeptImage, kImages> kept;
    return kept;
}

EditorState& startOf(Start start) {
    static EditorState fresh;
    return start == Start::Fresh ? fresh : blank();
}

EditorState& keptEditor(Start start) {
    static const auto fresh = std::make_unique<EditorState>(startOf(Start::Fresh));
    static const auto blankSet = std::make_unique<EditorState>(startOf(Start::BlankMapSet));
    return start == Start::Fresh ? *fresh : *blankSet;
}

}  // namespace

const EditorState& blankMapSet() {
    return blank();
}

KeptEditor::KeptEditor(Start start) : start_(start), work_(keptEditor(start)) {}

KeptEditor::~KeptEditor() {
    putBack(work_, startOf(start_));
}

bool KeptEditor::isAsStarted(Start start) {
    EditorState& work = keptEditor(start);
    EditorState& from = startOf(start);
    for (int i = 0; i < kImages; ++i)
        if (setImage(work, i) != setImage(from, i)) return false;
    return work.mapNames == from.mapNames && work.curMap == from.curMap;
}

LentImages::LentImages(EditorState& st, const ImageParts& parts) : st_(st), parts_(parts) {
    for (int i = 0; i < kImages; ++i) {
        KeptImage& kept = keptImages()[std::size_t(i)];
        Bytes& buffer = setImage(st.spareMapSet, i);
        buffer = std::move(kept.buffer);
        const PaddedPart& part = parts[std::size_t(i)];
        // A missing map file's buffer is lent at the size the load makes it.
        const std::size_t size = part.present ? part.size() : kMapFileSize;
        if (buffer.capacity() < size) {
            Bytes larger;
            larger.reserve(size);
            buffer.swap(larger);
        }
        // Growing fills with zeros; what an earlier run wrote up to the old
        // size is written over by the part, or cleared.
        const std::size_t oldSize = buffer.size();
        buffer.resize(size);
        if (!part.bytes.empty()) std::memcpy(buffer.data(), part.bytes.data(), part.bytes.size());
        const std::size_t dirtyEnd = std::min({kept.written, oldSize, size});
        if (part.present && dirtyEnd > part.bytes.size())
            std::memset(buffer.data() + part.bytes.size(), 0, dirtyEnd - part.bytes.size());
        if (buffer.capacity() > size)
            ASAN_POISON_MEMORY_REGION(buffer.data() + size, buffer.capacity() - size);
    }
}

LentImages::~LentImages() {
    // A load writes only into the map files it makes; a later write would
    // count as an unsaved change.
    const bool written = st_.unsavedWrites != 0 || st_.spareMapSet.unsavedWrites != 0;
    for (int i = 0; i < kImages; ++i) {
        Bytes& loaded = setImage(st_, i);
        Bytes& buffer = loaded.capacity() ? loaded : setImage(st_.spareMapSet, i);
        ASAN_UNPOISON_MEMORY_REGION(buffer.data(), buffer.capacity());
        const PaddedPart& part = parts_[std::size_t(i)];
        KeptImage& kept = keptImages()[std::size_t(i)];
        kept.written = part.present && !written ? part.bytes.size() : buffer.size();
        kept.buffer = std::move(buffer);
    }
}

}  // namespace d7::fuzz
