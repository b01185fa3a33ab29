// TsPrzepis: the modal window in which the user picks one provision from the provisions
// dictionary, optionally narrowed to one section. After exec() == 1 the chosen provision's
// number is in WybranyPrzepis.
//
//   TsPrzepis okno(dzialy, przepisy, this);
//   if (okno.exec() == 1) numer = okno.WybranyPrzepis;
#pragma once

#include <QDialog>
#include <cstdint>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class TcSlownikTxt;
class TcSlownikTxtPrzepis;
class TPrzyciskObrazkowy;

class TsPrzepis : public QDialog {
    Q_OBJECT
public:
    TsPrzepis(const TcSlownikTxt& dzialy, const TcSlownikTxtPrzepis& przepisy, QWidget* rodzic = nullptr);

    int32_t WybranyDzial = -1;
    int32_t WybranyPrzepis = 0;

    QFrame* tcDane = nullptr;
    QLabel* lbDzial = nullptr;
    QComboBox* cbDzial = nullptr;
    QLabel* lbPrzepis = nullptr;
    QTreeWidget* lvPrzepis = nullptr;
    QPlainTextEdit* mePrzepis = nullptr;
    TPrzyciskObrazkowy* pbWybierz = nullptr;
    TPrzyciskObrazkowy* pbZamknij = nullptr;
    TPrzyciskObrazkowy* pbPomoc = nullptr;
    QAction* acWybierz = nullptr;

    static constexpr int KontekstPomocy = 150;

    void WypelnienieListy();
    void cbDzialChange();
    void lvPrzepisSelectItem();
    void acWybierzUpdate();
    void acWybierzExecute();

    // Esc and the close box close without a choice (result 2).
    void reject() override;

private:
    const TcSlownikTxt& dzialy_;
    const TcSlownikTxtPrzepis& przepisy_;
};
