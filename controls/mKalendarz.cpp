#include "mKalendarz.h"

#include <memory>

#include "EditNew.h"
#include "f_Kalendarz.h"

int32_t WybranieDaty(TEditN* pole) {
    // The owning pointer releases the window also when exec() throws; the window is not given
    // WA_DeleteOnClose, so closing it never deletes it behind this owner's back.
    const auto okno = std::make_unique<TfKalendarz>(pole, pole != nullptr ? pole->window() : nullptr);
    return okno->exec();
}
