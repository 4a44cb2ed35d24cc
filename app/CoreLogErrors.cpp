#include "app/CoreLogErrors.h"

void CCoreLogErrors::OnOpenError(unsigned long)
{
}

void CCoreLogErrors::OnWriteError(unsigned long)
{
}
