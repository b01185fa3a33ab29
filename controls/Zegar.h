// The program's clock. Date-time values are day counts from 30 December 1899, the fraction
// being the time of day. Tests fix "now" so that date completion is repeatable.
//
//   mZegar::UstawienieTeraz(mZegar::DataCzas(QDate(2003, 3, 21)));   // today is 21-03-2003
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace mZegar {

double Teraz();
double Dzis();            // today without the time of day
QDate DzisData();

void UstawienieTeraz(double chwila);   // fixed clock (tests)
void Przywrocenie();                    // the real clock again

double DataCzas(const QDate& data, const QTime& czas = QTime(0, 0));
double Czas(const QTime& czas);         // the fraction of a day alone
QDate Data(double wartosc);

}  // namespace mZegar
