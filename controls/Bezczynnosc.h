// Idle-time update handlers. Each window registers its "...Update" handlers once; whenever
// the message loop is about to wait, the handlers of the window that takes input (the
// topmost modal window, or else every visible window) run, so buttons follow their actions'
// enabled state without each event handler having to remember them.
//
//   mBezczynnosc::Rejestracja(this, [this] { acWybierz->setEnabled(lvPrzepis->currentItem()); });
//
// A handler is forgotten with the widget it was registered for.
#pragma once

#include <functional>

class QWidget;

namespace mBezczynnosc {

void Rejestracja(QWidget* kontrolka, std::function<void()> obsluga);
// Runs the handlers now (the idle hook calls it; tests call it to settle the actions).
void Wykonanie();

}  // namespace mBezczynnosc
