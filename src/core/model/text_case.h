// Letter case of names, which are Windows-1252 byte strings.
#pragma once

#include <algorithm>
#include <string_view>

namespace d7 {

// Upper case of one Windows-1252 character.
inline char upperCase1252(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return char(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return char(u - 32);
    switch (u) {
        case 0x9A:
            return char(0x8A);
        case 0x9C:
            return char(0x8C);
        case 0x9E:
            return char(0x8E);
        case 0xFF:
            return char(0x9F);
        default:
            return c;
    }
}

// Equality ignoring letter case.
inline bool equalsIgnoringCase1252(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return upperCase1252(p) == upperCase1252(q);
           });
}

}  // namespace d7
