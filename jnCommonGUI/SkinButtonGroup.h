#pragma once
#include "jnCommonGUI/SkinButton.h"

#include <vector>

// Makes several skin buttons act as radio buttons: one is checked (shown pressed) at a time.
// The group only borrows the buttons; the caller selects on BN_CLICKED.
class SkinButtonGroup
{
public:
    // The button becomes a toggle button whose checked state only the group changes.
    void Add(CSkinButton* button);
    void Remove(CSkinButton* button);
    // An index outside the group, or a button not in it, leaves none checked.
    void Select(int index);
    void Select(CSkinButton* button);

    CSkinButton* GetSelected() const { return m_selected; }
    int GetCount() const { return static_cast<int>(m_buttons.size()); }

private:
    std::vector<CSkinButton*> m_buttons;
    CSkinButton* m_selected = nullptr;
};
