#pragma once
#include <windows.h>

// What a command does to the answer of a blocking pop-up. Ids shared by the pop-ups: 1381 the
// first button, 1382 the second, 1095 the close button, IDCANCEL (Escape, or a request to close
// the window). Any other id leaves the answer as it was.

// The shutdown warning: 1 = cancel the shutdown, 0 = let it go on.
int ShutdownWarningAnswer(WORD commandId, int current);

// The shutdown after tasks: true = shut down, false = cancel.
bool ShutdownAfterTasksAnswer(WORD commandId, bool current);

// The logon-detect notice: true = Stop. The same answers as the shutdown after tasks.
inline bool LogonDetectAnswer(WORD commandId, bool current)
{
    return ShutdownAfterTasksAnswer(commandId, current);
}
