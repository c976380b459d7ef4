#pragma once

#include "archive/escritura.h"

#include <QByteArray>
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
    // Cents of the largest jackpot ever paid are far below this; anything above is no amount.
    static constexpr qint64 kMaximo = qint64(1) << 50;

    double fecha = 0;
    // Especial, 1ª, 2ª, 3ª, 4ª, 5ª (the Label10 order).
    std::array<qint64, kCategorias> centimos{kDesconocido, kDesconocido, kDesconocido,
                                             kDesconocido, kDesconocido, kDesconocido};

    static ImportesSorteo desdeBytes(const char *datos); // kLongitud bytes
    void escribeEn(char *destino) const;
    bool conoce(int categoria) const { return centimos[static_cast<size_t>(categoria)] >= 0; }
    bool algunoConocido() const;
    bool operator==(const ImportesSorteo &) const = default;
};

// premios.dat of the program directory: one record per draw, in date order, one per day.
class ArchivoImportes {
public:
    static constexpr int kMaximo = 32766; // as many as the draw archive can hold
    static constexpr qint64 kLimiteBytes = qint64(kMaximo) * ImportesSorteo::kLongitud;

    ArchivoImportes() = default;
    explicit ArchivoImportes(QString ruta) : ruta_(std::move(ruta)) {}
    const QString &ruta() const { return ruta_; }

    // Reads the file. A missing file is an empty list (nothing is created until there is
    // something to keep). A file larger than kLimiteBytes, or not a regular file, is not read
    // and never written over (Fallo). Records whose date is no day or whose amounts are out of
    // range are left out and counted in danados(); a trailing piece shorter than a record too.
    Escritura abre();

    const std::vector<ImportesSorteo> &registros() const { return registros_; }
    int cuenta() const { return static_cast<int>(registros_.size()); }
    int danados() const { return danados_; }
    bool rechazado() const { return rechazado_; }
    // The amounts of the draw of this day (the whole part of the serial date); nullptr when the
    // file has none.
    const ImportesSorteo *busca(double fecha) const;

    // Adds the amounts of these draws: a known amount replaces the stored one of its category,
    // an unknown one leaves it as it was. The file is rewritten in one step, and only when
    // something changed.
    Escritura guarda(const std::vector<ImportesSorteo> &nuevos);

    static QByteArray serializa(const std::vector<ImportesSorteo> &registros);

private:
    QString ruta_;
    std::vector<ImportesSorteo> registros_;
    int danados_ = 0;
    bool rechazado_ = false;
};

namespace importes {

QString rutaArchivo(const QString &carpeta);

// Euro cents of an amount as the results page or the service writes it ("1.234.567,89 €",
// "8,00", "25.000"); nothing when it is no amount.
std::optional<qint64> centimos(const QString &texto);

// The six amounts of a breakdown, in the Label10 order; an empty or unreadable entry is an
// unknown amount.
ImportesSorteo desdeTextos(double fecha, const std::array<std::optional<QString>, 6> &textos);
// The amounts of one draw of the results service, from its "escrutinio".
ImportesSorteo desdeServicio(const servicio::SorteoLeido &sorteo);

// Stores the amounts of every draw of a service answer that carries any (a download of the
// service, or an imported file of the service).
Escritura guardaServicio(const QString &carpeta, const servicio::Respuesta &respuesta);
// Stores the breakdown of the results page of the draw of `fecha` (the amounts Label10
// shows). An empty date, or a page without a single amount, stores nothing.
Escritura guardaDesglose(const QString &carpeta, double fecha,
                         const std::array<std::optional<QString>, 6> &textos);
// Stores what an imported file holds when it is an answer of the results service; any other
// file stores nothing and is Hecha.
Escritura guardaImportado(const QString &carpeta, const QByteArray &contenido);

} // namespace importes
