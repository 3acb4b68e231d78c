#include "layout/fim_code.h"

namespace layout {

namespace {

// The nine positions of each type, 1 for a bar.
constexpr const char* Positions[3] = {"110010011", "101101101", "110101011"};

} // namespace

std::vector<int> FimBarSlots(TFIMBarCodeType type) {
    std::vector<int> barSlots;
    if (type < fimTypeA || type > fimTypeC)
        return barSlots;
    const char* positions = Positions[type];
    for (int i = 0; positions[i]; ++i)
        if (positions[i] == '1')
            barSlots.push_back(2 * i + 1);
    return barSlots;
}

char FimLetter(TFIMBarCodeType type) {
    return char('A' + type);
}

} // namespace layout
