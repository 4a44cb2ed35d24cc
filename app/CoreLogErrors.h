#pragma once
#include "Logvane.h"

// The error sink handed to every trace log the library makes. A trace log that cannot write
// has nowhere else to report to, so the library lets its failures go.
class CCoreLogErrors final : public ICoreLogErrors
{
public:
    void OnOpenError(unsigned long errorCode) override;
    void OnWriteError(unsigned long errorCode) override;
};
