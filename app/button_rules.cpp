#include "app/button_rules.h"

ButtonRules ComputeButtonRules(const ButtonState& s) {
    const bool browsing = s.fileOpen && !s.editing && s.hasRecord;
    ButtonRules rules{};
    rules.fileItems = s.fileOpen;
    rules.saveCancel = s.editing;
    rules.addEnabled = s.fileOpen && !s.editing;
    rules.notEditing = !s.editing;
    rules.browsing = browsing;
    rules.findNextHidden = s.editing;
    rules.clearFilterShown = s.filterSet;
    rules.clearFilterEnabled = s.filterSet && !s.editing;
    rules.filterItems = s.filterSet;
    rules.filterButton = s.filterSet || browsing;
    rules.recordMenu = s.fileOpen && !s.editing;
    return rules;
}
