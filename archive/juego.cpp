#include "archive/juego.h"
#include "archive/fechas.h"

#include <QTimeZone>
#include <algorithm>
#include <bit>

namespace juego {

QDate primerSorteo()
{
    return QDate(1985, 10, 17);
}
QDate primerSabado()
{
    return QDate(1990, 5, 19);
}
QDate primerLunes()
{
    return QDate(2022, 7, 11);
}
QDate primerReintegro()
{
    return QDate(1991, 6, 20);
}
QDate primerEspecial()
{
    return QDate(2013, 1, 1);
}
QDate primerJoker()
{
    return QDate(2012, 9, 27);
}

QDateTime enMadrid(const QDateTime &instante)
{
    static const QTimeZone madrid(QByteArrayLiteral("Europe/Madrid"));
    return madrid.isValid() ? instante.toTimeZone(madrid) : instante.toLocalTime();
}

QDateTime ahora()
{
    return enMadrid(QDateTime::currentDateTime());
}

int diasDeSorteo(double fecha)
{
    static const double sabado = fechas::serial(primerSabado());
    static const double lunes = fechas::serial(primerLunes());
    return fechas::kJueves | (fecha < sabado ? 0 : fechas::kSabado) |
           (fecha < lunes ? 0 : fechas::kLunes);
}

bool esDiaDeSorteo(double fecha)
{
    return (fechas::bitDia(fecha) & diasDeSorteo(fecha)) != 0;
}

Categoria categoria(int aciertos, bool complementario, bool reintegro)
{
    switch (aciertos) {
    case 6:
        return reintegro ? kEspecial : kPrimera;
    case 5:
        return complementario ? kSegunda : kTercera;
    case 4:
        return kCuarta;
    case 3:
        return kQuinta;
    default:
        return kNinguna;
    }
}

int contador(Categoria c)
{
    switch (c) {
    case kEspecial:
    case kPrimera:
        return 6;
    case kSegunda:
        return 7;
    case kTercera:
        return 5;
    case kCuarta:
        return 4;
    case kQuinta:
        return 3;
    case kNinguna:
        break;
    }
    return 0;
}

Categoria deContador(int c)
{
    switch (c) {
    case 3:
        return kQuinta;
    case 4:
        return kCuarta;
    case 5:
        return kTercera;
    case 6:
        return kPrimera;
    case 7:
        return kSegunda;
    default:
        return kNinguna;
    }
}

BOLARIUM_CUENTA_BITS
int aciertos(quint64 apuesta, quint64 ganadores)
{
    return std::popcount(apuesta & ganadores);
}

BOLARIUM_CUENTA_BITS
void clasifica(const quint64 *apuestas, size_t cuantas, quint64 ganadores, quint64 complementario,
               bool reintegro, int *porCategoria)
{
    // Fewer than one bet in fifty hits three numbers: the loop only counts bits, and the rare
    // prize is sorted into its category afterwards, by hits and complementary.
    int porAciertos[2 * 7] = {};
    for (size_t k = 0; k < cuantas; ++k) {
        const quint64 m = apuestas[k];
        const int h = std::popcount(m & ganadores);
        if (h >= 3)
            ++porAciertos[2 * h + ((m & complementario) != 0)];
    }
    for (int h = 3; h <= 6; ++h)
        for (int c = 0; c < 2; ++c)
            if (const int n = porAciertos[2 * h + c])
                porCategoria[categoria(h, c != 0, reintegro)] += n;
}

int categoriaJoker(qint64 numero, qint64 sorteo)
{
    if (sorteo <= 0 || sorteo > 9999999 || numero < 0 || numero > 9999999)
        return -1;
    // Both numbers as their seven digits, leading zeros included, first digit first.
    char a[7];
    char b[7];
    for (int i = 6; i >= 0; --i) {
        a[i] = char(numero % 10);
        b[i] = char(sorteo % 10);
        numero /= 10;
        sorteo /= 10;
    }
    int delante = 0;
    while (delante < 7 && a[delante] == b[delante])
        ++delante;
    int detras = 0;
    while (detras < 7 && a[6 - detras] == b[6 - detras])
        ++detras;
    const int iguales = std::max(delante, detras);
    if (iguales == 7)
        return 0;
    if (iguales >= 2)
        return 7 - iguales; // 6 → 2ª (1) ... 2 → 6ª (5)
    return iguales == 1 ? kJokerReintegro : -1;
}

qint64 exento(double fecha)
{
    struct Tramo {
        QDate desde;
        qint64 exento; // cents
    };
    static const Tramo kTramos[] = {{QDate(2020, 1, 1), 4000000},
                                    {QDate(2019, 1, 1), 2000000},
                                    {QDate(2018, 7, 5), 1000000},
                                    {QDate(2013, 1, 1), 250000}};
    const QDate dia = fechas::dia(fecha);
    if (!dia.isValid())
        return kSinRetencion;
    for (const Tramo &t : kTramos)
        if (dia >= t.desde)
            return t.exento;
    return kSinRetencion;
}

qint64 retencion(qint64 centimos, double fecha)
{
    return centimos <= 0 ? 0 : retencionSobre(centimos, exento(fecha));
}

} // namespace juego
