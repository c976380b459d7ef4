// libFuzzer target: the syndicate file apuestas.dat on arbitrary bytes: each 8307-byte record
// read field by field, its kind and its bet count, and the count of played draws against a few
// draws. Nothing may crash or convert a date it cannot hold.
#include "archive/fechas.h"
#include "session/recuento.h"
#include "syndicates/pena.h"

#include <QByteArray>
#include <QDate>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    QByteArray bytes(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    // A short input stands for the first bytes of a record; the rest of it zeros.
    if (bytes.size() < Pena::kLongitud)
        bytes.append(QByteArray(Pena::kLongitud - bytes.size(), '\0'));
    std::vector<Pena> penas;
    for (qsizetype i = 0; i + Pena::kLongitud <= bytes.size() && penas.size() < 8;
         i += Pena::kLongitud) {
        const Pena p = Pena::desdeBytes(bytes.constData() + i);
        // Written back field by field, read again: the same record.
        QByteArray otra(Pena::kLongitud, '\0');
        p.escribeEn(otra.data());
        const Pena q = Pena::desdeBytes(otra.constData());
        QByteArray tercera(Pena::kLongitud, '\0');
        q.escribeEn(tercera.data());
        if (tercera != otra)
            __builtin_trap();
        (void)cuantos(p.tipo);
        (void)cuantos(p.tipo + 6);
        (void)p.diasTexto();
        (void)fechas::textoCorto(p.creacion);
        (void)fechas::textoCorto(p.contado);
        penas.push_back(p);
    }
    std::vector<Sorteo> sorteos;
    for (QDate d(2020, 1, 2); d < QDate(2020, 3, 1); d = d.addDays(1))
        if (d.dayOfWeek() == 4 || d.dayOfWeek() == 6) {
            Sorteo s;
            s.fecha = fechas::serial(d);
            sorteos.push_back(s);
        }
    const int jugados = sorteosjugados(sorteos, penas);
    if (jugados < 0 || jugados > static_cast<int>(sorteos.size()))
        __builtin_trap();
    (void)recuenta(sorteos, penas, QDate(2020, 3, 3));
    return 0;
}
