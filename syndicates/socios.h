#pragma once

#include "archive/escritura.h"
#include "syndicates/pena.h"
#include "syndicates/porpena.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The members of a syndicate and their shares, and the refund digit of its slip, as socios.dat
// keeps them: one fixed record per syndicate, found by the syndicate's creation date and name
// (the syndicate record itself keeps its layout). Little-endian, field by field:
//
//   offset  size  field
//        0     8  creation date of the syndicate (double serial, as in apuestas.dat)
//        8    20  name of the syndicate, Windows-1252, blank-filled (as in apuestas.dat)
//       28     2  refund digit of the slip, 0..9; -1 when the slip's refund is not recorded
//       30     2  number of members n, 0..kMaxSocios
//       32  3200  kMaxSocios member slots of 32 bytes; slot i at 32 + 32 i:
//                   +0  30  member name, Windows-1252, blank-filled
//                   +30  2  shares, 1..kMaxParticipaciones
//                 slots from n on are blanks and 0.
//
// Record length 3232 bytes.
//
// The Joker numbers of the slip are kept beside it, in jokers.dat, under the same key: records
// of 110 bytes, little-endian:
//
//   offset  size  field
//        0     8  creation date of the syndicate
//        8    20  name of the syndicate
//       28     2  number of Joker numbers n, 0..kMaxJokers
//       30    80  kMaxJokers numbers, int32 each, 0..9999999 (leading zeros are not stored:
//                 a Joker number always has seven digits); from n on, 0.
struct Socio {
    QString nombre; // without its trailing blanks
    int participaciones = 1;
    bool operator==(const Socio &) const = default;
};

struct SociosPena {
    static constexpr int kAnchoNombre = 30;
    static constexpr int kMaxSocios = 100;
    static constexpr int kMaxParticipaciones = 9999;
    static constexpr int kRanura = kAnchoNombre + 2;
    static constexpr int kLongitud = 32 + kMaxSocios * kRanura;
    static constexpr int kMaxJokers = 20;
    static constexpr int kLongitudJokers = 30 + 4 * kMaxJokers;

    double creacion = 0;
    QByteArray pena = QByteArray(Pena::kAnchoNombre, ' '); // the syndicate's name field
    int reintegro = -1;                                    // -1: not recorded
    std::vector<Socio> socios;
    std::vector<qint32> jokers; // the Joker numbers of its slips

    static SociosPena de(const Pena &pena);
    bool esDe(const Pena &pena) const;
    // Whether the bytes hold a record a reader can use (counts, digit and shares in range).
    static std::optional<SociosPena> desdeBytes(const char *datos); // kLongitud bytes
    void escribeEn(char *destino) const;
    int totalParticipaciones() const;
    bool vacio() const { return socios.empty() && reintegro < 0 && jokers.empty(); }
    bool operator==(const SociosPena &) const = default;
};

class ArchivoSocios : public ArchivoPorPena<SociosPena, ArchivoSocios> {
public:
    // As many syndicates as apuestas.dat is read with, and room for records left behind.
    static constexpr int kLimite = 4000;
    static constexpr qint64 kLimiteBytes = qint64(kLimite) * SociosPena::kLongitud;

    using ArchivoPorPena::ArchivoPorPena;

    // Reads the file; a missing one is an empty list. A file larger than kLimiteBytes or not a
    // regular file is not read and never written over (Fallo). A record that cannot be used is
    // kept as it is on the disk (the next rewrite writes its bytes back), not shown.
    Escritura abre();
    // Stores the record of its syndicate in place of the one it had; a record with no members,
    // no refund digit and no Joker number is removed.
    Escritura pon(const SociosPena &socios);

private:
    friend class ArchivoPorPena;
    Escritura reescribe(std::vector<SociosPena> registros);
    QString rutaJokers() const;
    void leeJokers();
};

namespace socios {

QString rutaArchivo(const QString &carpeta);

// A member name as typed: only characters of the Windows-1252 field, at most 30 of them.
struct NombreSocio {
    QString texto;                // the name to keep, trimmed; empty when refused
    std::optional<QString> aviso; // why it was refused
};
NombreSocio normalizaNombre(const QString &tecleado);

// Joker numbers as typed: seven digits each, separated by blanks or commas.
struct Jokers {
    std::vector<qint32> numeros;  // in the order typed, each once
    std::optional<QString> aviso; // why they were refused (naming the wrong one)
};
Jokers leeJokers(const QString &tecleado);
// The numbers as the line shows them: "0559707 8337021".
QString textoJokers(const std::vector<qint32> &numeros);

} // namespace socios
