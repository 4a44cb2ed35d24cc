#pragma once
#include <windows.h>

// The message loop of a blocking pop-up: it serves every window of the calling thread until
// closed() is true. The host's request to quit (WM_QUIT) does not end it, since the pop-up must
// finish; the request is kept and posted again, with its exit code, once the pop-up has closed,
// so that the host's own loop still sees it.
template <class Closed>
void RunPopupMessageLoop(Closed closed)
{
    bool quitRequested = false;
    WPARAM exitCode = 0;
    MSG message = {};
    while (!closed())
    {
        if (GetMessageW(&message, nullptr, 0, 0) == 0)
        {
            quitRequested = true;
            exitCode = message.wParam;
            continue;
        }
        // Dispatch before Translate, as the product's pop-ups always have: do not swap them. The
        // character message of a key is then queued after the key itself was handled, which is
        // what the host's other windows on this thread have always seen.
        DispatchMessageW(&message);
        TranslateMessage(&message);
    }
    if (quitRequested)
        PostQuitMessage(static_cast<int>(exitCode));
}
