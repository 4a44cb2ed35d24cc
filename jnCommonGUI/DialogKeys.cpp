#include "jnCommonGUI/DialogKeys.h"

DialogKey ClassifyDialogKey(UINT virtualKey, bool shiftDown, bool repeated)
{
    switch (virtualKey)
    {
    case VK_TAB:
        return shiftDown ? DialogKey::Previous : DialogKey::Next;
    case VK_RETURN:
        return repeated ? DialogKey::None : DialogKey::Press;
    case VK_ESCAPE:
        return repeated ? DialogKey::None : DialogKey::Cancel;
    default:
        return DialogKey::None;
    }
}
