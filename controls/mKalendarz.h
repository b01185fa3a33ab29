// Picking a date field's day from the month calendar.
//
//   if (WybranieDaty(enDataOd) == 1) ...   // the field now holds the picked day
#pragma once

#include <cstdint>

class TEditN;

// Shows TfKalendarz for the field as a modal window over the field's window and returns its
// result: 1 after "Zatwierdź", 2 after "Anuluj", Esc or the close box. The window is gone when
// the function returns, also when showing it throws. A null field throws EInvalidOperation.
int32_t WybranieDaty(TEditN* pole);
