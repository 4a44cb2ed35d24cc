#include "jnCommonGUI/SkinButtonGroup.h"

#include <algorithm>

namespace {
constexpr BYTE kCheckedLook = FlagChecked | FlagPressed;
}

void SkinButtonGroup::Add(CSkinButton* button)
{
    if (!button || std::find(m_buttons.begin(), m_buttons.end(), button) != m_buttons.end())
        return;
    button->SetToggleMode(true);
    button->m_flags |= FlagGrouped;
    m_buttons.push_back(button);
}

void SkinButtonGroup::Remove(CSkinButton* button)
{
    m_buttons.erase(std::remove(m_buttons.begin(), m_buttons.end(), button), m_buttons.end());
    if (m_selected == button)
        m_selected = nullptr;
}

void SkinButtonGroup::Select(int index)
{
    Select(index >= 0 && index < GetCount() ? m_buttons[index] : nullptr);
}

void SkinButtonGroup::Select(CSkinButton* button)
{
    if (button && std::find(m_buttons.begin(), m_buttons.end(), button) == m_buttons.end())
        button = nullptr;
    if (button == m_selected)
        return;
    if (m_selected)
        m_selected->UpdateState(kCheckedLook, false, false);
    m_selected = button;
    if (m_selected)
        m_selected->UpdateState(kCheckedLook, true, false);
}
