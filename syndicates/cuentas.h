#pragma once

#include "archive/escritura.h"
#include "syndicates/pena.h"
#include "syndicates/porpena.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// What the members of a syndicate paid, when each of them was in it and where its prizes go,
// as cuentas.dat keeps them: one fixed record of 128 bytes per fact, found by the syndicate's
// creation date and name (as socios.dat). Little-endian, field by field:
//
//   offset  size  field
//        0     2  kind: 1 payment, 2 a member's time in the syndicate, 3 where its prizes go
//        2     8  creation date of the syndicate (double serial, as in apuestas.dat)
//       10    20  name of the syndicate, Windows-1252, blank-filled (as in apuestas.dat)
//       30    30  member name, Windows-1252, blank-filled (kind 3: blanks)
//       60     8  date, a whole day (double serial): of the payment (kind 1), of the day the
//                 member joined (kind 2); otherwise 0
//       68     8  day the member left, a whole day (kind 2; 0: still in); otherwise 0
//       76     8  cents paid, int64 (kind 1; 1..kMaxCentimos, or negative down to
//                 -kMaxCentimos for money handed to the member: prizes paid out, money
//                 given back); otherwise 0
//       84     2  where the prizes go (kind 3): 0 shared out, 1 kept in the pot; otherwise 0
//       86    40  note of the payment, Windows-1252, blank-filled (kind 1); otherwise blanks
//      126     2  zeros
//
// A syndicate with no record pays nothing recorded, has every member in from the start and
// shares its prizes out; only a pot kept is written as a kind 3 record.
struct Pago {
    QString socio; // without its trailing blanks
    double fecha = 0;
    qint64 centimos = 0; // negative: handed to the member
    QString nota;
    bool operator==(const Pago &) const = default;
};

// A member's time in the syndicate: in on the days desde..hasta, both included.
struct Permanencia {
    QString socio;
    double desde = 0;
    double hasta = 0; // 0: still in
    bool operator==(const Permanencia &) const = default;
    bool incluye(double dia) const;
};

enum class Destino { Reparten, Bote };

struct CuentasPena {
    static constexpr int kLongitud = 128;
    static constexpr int kAnchoNota = 40;
    static constexpr qint64 kMaxCentimos = qint64(2000000000); // 20 million euros

    double creacion = 0;
    QByteArray pena = QByteArray(Pena::kAnchoNombre, ' '); // the syndicate's name field
    std::vector<Pago> pagos;
    std::vector<Permanencia> permanencias;
    Destino destino = Destino::Reparten;

    static CuentasPena de(const Pena &pena);
    bool esDe(const Pena &pena) const;
    bool vacio() const
    {
        return pagos.empty() && permanencias.empty() && destino == Destino::Reparten;
    }
    // The member's payments and times now go by the new name (the member was renamed).
    void renombraSocio(const QString &antes, const QString &despues);
    // The records of this syndicate, kLongitud bytes each: its members' times, its payments,
    // then where its prizes go when they stay in the pot.
    QByteArray registros() const;
    // Every fact can be written and read back as it is: names and notes fit their fields in
    // Windows-1252, dates are whole days, amounts within range, nobody leaves before joining.
    bool escribible() const;
    bool operator==(const CuentasPena &) const = default;
};

class ArchivoCuentas : public ArchivoPorPena<CuentasPena, ArchivoCuentas> {
public:
    // Room for every syndicate's years of weekly payments; a larger file is someone else's.
    static constexpr int kLimite = 200000;
    static constexpr qint64 kLimiteBytes = qint64(kLimite) * CuentasPena::kLongitud;

    using ArchivoPorPena::ArchivoPorPena;

    // Reads the file; a missing one is an empty list. A file larger than kLimiteBytes or not a
    // regular file is not read and never written over (Fallo). A record that cannot be used is
    // kept as it is on the disk (the next rewrite writes its bytes back), not shown.
    Escritura abre();
    // What the bytes of a whole file hold, grouped by syndicate in the order first found, and
    // the records that cannot be used, as they were (for abre and for the fuzz target).
    static void lee(const QByteArray &bytes, std::vector<CuentasPena> &registros,
                    std::vector<QByteArray> &danados);

    // Every record of its syndicate replaced by these, in one rewrite; an empty one removes
    // them. Fallo, and nothing written, when a fact cannot be stored (escribible).
    Escritura pon(const CuentasPena &cuentas);
    // A member of the syndicate was renamed: their payments and times keep up with the name.
    Escritura renombraSocio(const Pena &pena, const QString &antes, const QString &despues);

private:
    friend class ArchivoPorPena;
    Escritura reescribe(std::vector<CuentasPena> registros);
};

namespace cuentas {

QString rutaArchivo(const QString &carpeta);

// A note as typed: Windows-1252 characters, at most 40 of them; the reason when refused.
std::optional<QString> avisoNota(const QString &tecleada);

} // namespace cuentas
