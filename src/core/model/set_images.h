// The whole-file images of a map set side by side, numbered as one list:
// 0 the map store, 1..15 the map files, 16 the language file. The editor
// keeps the images as they were loaded, so that what the user changed since
// can be told apart from the files on disk (recovery.h).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/model/map_set.h"

namespace d7 {

inline constexpr int kSetImageCount = kMapFileCount + 2;
inline constexpr int kStoreImage = 0;
inline constexpr int kLanguageSetImage = kMapFileCount + 1;

struct SetImages {
    std::array<Bytes, kSetImageCount> images;
};

inline const Bytes& setImage(const MapSet& set, int i) {
    if (i == kStoreImage) return set.mapStore;
    if (i == kLanguageSetImage) return set.langStream;
    return set.extStreams[std::size_t(i)];
}
inline Bytes& setImage(MapSet& set, int i) {
    return const_cast<Bytes&>(setImage(static_cast<const MapSet&>(set), i));
}

// Copies the set's images into images, reusing its memory.
inline void copySetImages(const MapSet& set, SetImages& images) {
    for (int i = 0; i < kSetImageCount; ++i) {
        const Bytes& from = setImage(set, i);
        images.images[std::size_t(i)].assign(from.begin(), from.end());
    }
}

// The file an image is read from: "k7_maps.dat", "map07.pl8" or langFile.
std::string setImageFileName(int i, const std::string& langFile);

}  // namespace d7
