#pragma once

#include "db/apperror.h"
#include "general.h"

// Runs a window's loading under the general error dialog: Retry runs the
// whole loading again, Cancel gives it up. Whether it ran to the end.
template <typename F> bool LaadMetHerhaling(F laden)
{
    for (;;) {
        try {
            laden();
            return true;
        } catch (const AppError& e) {
            qint16 marker = 0;
            ErrorHandler(marker, e);
            if (marker != 0)
                return false;
        }
    }
}
