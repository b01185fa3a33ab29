#include "Zegar.h"

#include <cmath>
#include <optional>

namespace {
const QDate Poczatek(1899, 12, 30);
std::optional<double>& Ustalony() {
    static std::optional<double> chwila;
    return chwila;
}
}  // namespace

namespace mZegar {

double DataCzas(const QDate& data, const QTime& czas) {
    return static_cast<double>(Poczatek.daysTo(data)) + Czas(czas);
}

double Czas(const QTime& czas) { return czas.msecsSinceStartOfDay() / 86400000.0; }

QDate Data(double wartosc) { return Poczatek.addDays(static_cast<qint64>(std::floor(wartosc))); }

double Teraz() {
    if (Ustalony()) return *Ustalony();
    const QDateTime t = QDateTime::currentDateTime();
    return DataCzas(t.date(), t.time());
}

double Dzis() { return std::floor(Teraz()); }

QDate DzisData() { return Data(Teraz()); }

void UstawienieTeraz(double chwila) { Ustalony() = chwila; }

void Przywrocenie() { Ustalony().reset(); }

}  // namespace mZegar
