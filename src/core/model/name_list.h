// Name lists as the game's language file and the single-map files store them:
// items joined by ";", where an item containing ";" or a double quote is
// written in double quotes with inner quotes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace d7 {

// Joins the items with ";" as the delimiter (quoting as described above).
// A list of one empty item is written as "" so that it reads back as one item.
std::string joinNameList(const std::vector<std::string>& items);

// Splits text at ";" with the same rules: only ";" separates; an item starting
// with a double quote runs to the closing quote, doubled quotes inside it
// stand for one. A trailing ";" yields a final empty item; empty text yields
// no items.
std::vector<std::string> splitNameList(std::string_view text);

}  // namespace d7
