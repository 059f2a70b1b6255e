#pragma once

namespace vf::layouts {

// Where the order entry window puts one entry box and its prompt box, in twips.
struct BoxPlacement {
    int left = 0;
    int entryTop = 0;
    int promptTop = 0;
    int width = 0;

    bool operator==(const BoxPlacement&) const = default;
};

struct ButtonLefts {
    int mainMenu = 0;
    int editOrders = 0;
    int saveOrder = 0;
};

inline constexpr int kEntryHeight = 315;
inline constexpr int kPromptHeight = 195;

// Layout h puts boxes 0 to h-1 in a header row and the rest in rows of six. The compact
// placement is for screens narrower than 1000 pixels.
BoxPlacement placeBox(int layout, int index, bool compact);

bool compactPlacement(int screenWidth); // below 1000 pixels
int windowWidth(int screenWidth);       // 14800 above 800 pixels, else 9000
ButtonLefts buttonLefts(bool compact);

} // namespace vf::layouts
