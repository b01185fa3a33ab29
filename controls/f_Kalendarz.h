// TfKalendarz: the month calendar from which a date field (TEditN, etDate) takes a day instead
// of typed digits. It always opens on today (mZegar), whatever the field holds; "Zatwierdź"
// (Enter) writes the picked day into the field and closes with 1, "Anuluj", Esc and the close
// box close with 2 and leave the field alone. Callers normally go through WybranieDaty
// (mKalendarz.h), which also releases the window.
//
//   TfKalendarz okno(enDataOd, this);
//   if (okno.exec() == 1) ...          // enDataOd holds e.g. "05-03-2005", ValueInteger 38416
#pragma once

#include <QDialog>
#include "Bledy.h"

class QCalendarWidget;
class QFrame;
class TEditN;
class TPrzyciskObrazkowy;

class TfKalendarz : public QDialog {
    Q_OBJECT
public:
    // Throws EInvalidOperation for a null field. The field is not owned.
    explicit TfKalendarz(TEditN* pole, QWidget* rodzic = nullptr);

    QFrame* tcKalendarz = nullptr;
    QCalendarWidget* mcKalendarz = nullptr;
    TPrzyciskObrazkowy* pbZatwierdz = nullptr;
    TPrzyciskObrazkowy* pbAnuluj = nullptr;

    void pbZatwierdzClick();
    void pbAnulujClick();

    // Esc and the close box are "Anuluj" (result 2).
    void reject() override;

protected:
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    TEditN* pole_;
};
