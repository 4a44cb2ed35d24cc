#pragma once
// The keys a dialog answers, for a control that must answer them itself: the pop-ups run in
// message loops without the dialog manager's keyboard handling (IsDialogMessage), so their focused
// button hears Tab, Enter and Escape. Where a dialog manager runs, it takes these keys first (the
// button does not ask for them) and the button never sees them.
#include "base/PortableTypes.h"

#ifndef _WIN32
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
#endif

enum class DialogKey
{
    None,      // not a dialog key: the control's own handling
    Next,      // Tab: the next control
    Previous,  // Shift+Tab: the control before
    Press,     // Enter: press the focused button, as a click does
    Cancel,    // Escape: the dialog's close answer (IDCANCEL)
};

// What a key that went down means. A held key repeats: only its first press counts, so that one
// press gives one answer.
DialogKey ClassifyDialogKey(UINT virtualKey, bool shiftDown, bool repeated);
