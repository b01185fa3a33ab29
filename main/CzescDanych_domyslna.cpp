// Stand-in for the data part while the query editor and result list are not linked in:
// only the controls the frame itself fills. Replaced by the real UtworzenieDanych.
#include <QComboBox>
#include <QTextEdit>

#include "CzescDanych.h"
#include "f_Glowne.h"

__attribute__((weak)) std::unique_ptr<TCzescDanych> UtworzenieDanych(TfGlowne& okno) {
    auto* cxIzba = new QComboBox(okno.tcDane);
    cxIzba->setObjectName(QStringLiteral("cxIzba"));
    cxIzba->setGeometry(8, 160, 220, 22);
    auto* cxAkt = new QComboBox(okno.tcDane);
    cxAkt->setObjectName(QStringLiteral("cxAkt"));
    cxAkt->setGeometry(8, 220, 220, 22);
    cxAkt->hide();
    auto* reAkt = new QTextEdit(okno.tcDane);
    reAkt->setObjectName(QStringLiteral("reAkt"));
    reAkt->setGeometry(8, 8, 660, 200);
    reAkt->hide();
    return std::make_unique<TCzescDanych>();
}
