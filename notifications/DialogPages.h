#pragma once
#include <windows.h>

// Page switching of the dialog base, the parts that need no dialog object.

// A visible, top-level, non-tool dialog window (class "#32770") that has the dialog among its
// parents or owners: while one is open, the dialog keeps its page.
bool HasOpenOwnedDialog(HWND dialog);

// The size that puts a page's right and bottom edges the margins inside the dialog's client area.
// page is in the dialog's client coordinates.
SIZE PageSizeWithin(const RECT& page, const RECT& client, int rightMargin, int bottomMargin);
