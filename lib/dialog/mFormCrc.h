// Checksum of what the user can change in a window: the editor windows compare the value
// taken when they open with the value at closing to learn whether anything was changed.
//
// Walks the window's children in creation order: an edit field adds its text without
// surrounding blanks, a button group its checked button's index (-1 for none), a check box
// "-1" or "0", a memo its whole text, a drop-down list its selected index. Start 0xFFFF,
// each value chained through mCrc16 (Windows-1250 bytes).
#pragma once

#include <cstdint>

class QWidget;

uint16_t mFormCrc(const QWidget& okno);
