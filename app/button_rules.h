#pragma once

// Which buttons and menus the main window enables and shows, from its state.
struct ButtonState {
    bool fileOpen = false;  // A
    bool editing = false;   // E
    bool hasRecord = false; // R: the table is not empty and not past its end
    bool filterSet = false;
};

struct ButtonRules {
    bool fileItems;        // "Ed&it" menu, rebuild, imports: A
    bool saveCancel;       // visible and enabled: E
    bool addEnabled;       // A and not E
    bool notEditing;       // Add, Edit, Delete, Exit visible; File menu enabled
    bool browsing;         // B = A and not E and R
    bool findNextHidden;   // E
    bool clearFilterShown; // a filter is set
    bool clearFilterEnabled;
    bool filterItems;  // save filter, clear filter, tag all filter matches
    bool filterButton; // filter set or B
    bool recordMenu;   // A and not E
};

ButtonRules ComputeButtonRules(const ButtonState& state);
