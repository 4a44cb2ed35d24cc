#include "notifications/PopupAnswers.h"

#include "res/resource.h"

int ShutdownWarningAnswer(WORD commandId, int current)
{
    switch (commandId)
    {
    case IDC_FIRST_BUTTON:
    case IDCANCEL:
    case IDC_CLOSE_BUTTON:
        return 1;
    case IDC_SECOND_BUTTON:
        return 0;
    default:
        return current;
    }
}

bool ShutdownAfterTasksAnswer(WORD commandId, bool current)
{
    switch (commandId)
    {
    case IDC_FIRST_BUTTON:
        return true;
    case IDC_SECOND_BUTTON:
    case IDCANCEL:
    case IDC_CLOSE_BUTTON:
        return false;
    default:
        return current;
    }
}
