#pragma once

#include "archive/escritura.h"
#include "archive/lote.h"
#include "archive/pordia.h"
#include "archive/sorteo.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace servicio {
struct Respuesta;
struct SorteoLeido;
} // namespace servicio

// The prize amount of each category of a draw, as premios.dat keeps it: 56 bytes,
// little-endian, field by field.
//
//   offset  size  field
//        0     8  draw date, the archive's serial day count (double)
//        8     8  Especial (6 + refund), euro cents (int64)
//       16     8  1ª (6)
//       24     8  2ª (5 + complementary)
//       32     8  3ª (5)
//       40     8  4ª (4)
//       48     8  5ª (3)
//
// An amount of -1 is a category whose amount is not known: a draw is never taken to have paid
// 0 € because its amounts were missing.
struct ImportesSorteo {
    static constexpr int kLongitud = 56;
    static constexpr int kCategorias = 6;
    static constexpr qint64 kDesconocido = -1;
    static constexpr qint64 kMaximo = Escrutinio::kMaximo;

    double fecha = 0;
    // Especial, 1ª, 2ª, 3ª, 4ª, 5ª (the Label10 order).
    std::array<qint64, kCategorias> centimos{kDesconocido, kDesconocido, kDesconocido,
                                             kDesconocido, kDesconocido, kDesconocido};

    static ImportesSorteo desdeBytes(const char *datos); // kLongitud bytes
    void escribeEn(char *destino) const;
    bool conoce(int categoria) const { return centimos[static_cast<size_t>(categoria)] >= 0; }
    bool algunoConocido() const;
    bool valido() const;
    bool mezcla(const ImportesSorteo &otro);
    bool operator==(const ImportesSorteo &) const = default;
};

// premios.dat of the program directory: one record per draw, in date order, one per day.
class ArchivoImportes : public ArchivoPorDia<ImportesSorteo> {
public:
    using ArchivoPorDia::ArchivoPorDia;
};

// What premios.dat has no room for, in ganadores.dat beside it: 168 bytes a draw,
// little-endian, field by field, -1 where a figure is not known.
//
//   offset  size  field
//        0     8  draw date, the archive's serial day count (double)
//        8     8  the refund's amount, euro cents (int64)
//       16    56  winners of Especial, 1ª, 2ª, 3ª, 4ª, 5ª and the refund (7 × int64)
//       72    48  Joker amounts, euro cents: all digits, the last 6, 5, 4, 3, 2 (6 × int64)
//      120    48  Joker winners, in the same order (6 × int64)
struct GanadoresSorteo {
    static constexpr int kLongitud = 168;
    static constexpr qint64 kDesconocido = -1;

    double fecha = 0;
    qint64 reintegro = kDesconocido;
    std::array<qint64, Escrutinio::kCategorias> ganadores =
        Escrutinio::desconocidos<Escrutinio::kCategorias>();
    std::array<qint64, Escrutinio::kJoker> centimosJoker =
        Escrutinio::desconocidos<Escrutinio::kJoker>();
    std::array<qint64, Escrutinio::kJoker> ganadoresJoker =
        Escrutinio::desconocidos<Escrutinio::kJoker>();

    static GanadoresSorteo desdeBytes(const char *datos);
    void escribeEn(char *destino) const;
    bool algunoConocido() const;
    bool valido() const;
    bool mezcla(const GanadoresSorteo &otro);
    bool operator==(const GanadoresSorteo &) const = default;
};

class ArchivoGanadores : public ArchivoPorDia<GanadoresSorteo> {
public:
    using ArchivoPorDia::ArchivoPorDia;
};

namespace importes {

QString rutaArchivo(const QString &carpeta);   // premios.dat
QString rutaGanadores(const QString &carpeta); // ganadores.dat

// Euro cents of an amount as the results page or the service writes it ("1.234.567,89 €",
// "8,00", "25.000"); nothing when it is no amount.
std::optional<qint64> centimos(const QString &texto);

// The six amounts of the results page, in its order: 1ª to 5ª and the refund. The page has
// no special category (unknown here) and the refund is the stake back, not an amount to keep;
// an empty or unreadable entry is an unknown amount.
ImportesSorteo desdeTextos(double fecha, const std::array<std::optional<QString>, 6> &textos);
// The amounts of a draw's breakdown, and the rest of it.
ImportesSorteo desdeEscrutinio(double fecha, const Escrutinio &escrutinio);
GanadoresSorteo ganadoresDe(double fecha, const Escrutinio &escrutinio);

// Stores the breakdown of every draw of a batch that carries any figure: the amounts in
// premios.dat, the winners and the Joker's in ganadores.dat. `cambiados` gets the dates of the
// draws whose stored amounts changed (corrected, or completed), `escrito` whether premios.dat
// was rewritten.
Escritura guarda(const QString &carpeta, const Lote &lote, std::vector<double> *cambiados = nullptr,
                 bool *escrito = nullptr);
// The same for a service answer (a download of the service, or an imported file of it).
Escritura guardaServicio(const QString &carpeta, const servicio::Respuesta &respuesta);
// The first day of the special category (6 hits and the refund): before it a breakdown has the
// five categories 1ª to 5ª, from it the six of premios.dat.
QDate primerEspecial();
// Whether `importes` (the record of the draw of `fecha`, or nullptr) knows every category of
// its era.
bool completo(const ImportesSorteo *importes, double fecha);
// The years, oldest first, with draws of `sorteos` whose amounts are not complete, and how many
// such draws there are in all.
std::vector<int> aniosIncompletos(const std::vector<Sorteo> &sorteos,
                                  const ArchivoImportes &importes, int *incompletos = nullptr);

// Stores the breakdown of the results page of the draw of `fecha` (the amounts Label10
// shows). An empty date, or a page without a single amount, stores nothing.
Escritura guardaDesglose(const QString &carpeta, double fecha,
                         const std::array<std::optional<QString>, 6> &textos);

} // namespace importes
