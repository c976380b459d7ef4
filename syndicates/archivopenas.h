#pragma once

#include "archive/escritura.h"
#include "syndicates/pena.h"

#include <QString>
#include <vector>

// The syndicate file apuestas.dat, held in memory and rewritten in one step on every change,
// so a crash never leaves half a record.
class ArchivoPenas {
public:
    static constexpr int kMaximo = 32766; // record numbers are 16-bit
    // Far beyond any real use: a file with more records is not read at all (reading it and
    // checking every syndicate would hold start-up for minutes), and nothing is written over
    // it, so that the user's file stays as it is until the user moves it away.
    static constexpr int kLimite = 2000;
    static constexpr qint64 kLimiteBytes = qint64(kLimite) * Pena::kLongitud;

    ArchivoPenas() = default;
    explicit ArchivoPenas(QString ruta) : ruta_(std::move(ruta)) {}

    const QString &ruta() const { return ruta_; }
    void ponRuta(const QString &ruta) { ruta_ = ruta; }

    // Creates a missing file empty and reads its whole records; a trailing partial record is
    // not a syndicate and is dropped by the next rewrite. A file larger than kLimiteBytes, or
    // one that is not a regular file, is not read: the list stays empty and every write is
    // refused (Fallo) while it is there.
    Escritura abre();
    Escritura reabre() { return abre(); }

    int cuenta() const { return static_cast<int>(penas_.size()); }
    int proximapena() const { return cuenta() + 1; }
    bool vacio() const { return penas_.empty(); }
    const Pena &lee(int j) const { return penas_[static_cast<size_t>(j - 1)]; }
    const std::vector<Pena> &penas() const { return penas_; }
    qint64 restoParcial() const { return resto_; }
    // The file was refused for its size (tamanoRechazado() bytes) when it was opened.
    bool rechazado() const { return rechazado_ >= 0; }
    qint64 tamanoRechazado() const { return rechazado_; }
    // What the user is told of a refused file: its size and the limit.
    static QString mensajeGrande(qint64 tamano);

    // Writes record j (1-based); j = proximapena() appends a new syndicate.
    Escritura escribe(int j, const Pena &pena);
    // Writes every record at once (the checking passes update many counters in one go).
    Escritura reescribe(std::vector<Pena> penas);
    // Removes record j; the later ones move up by one, unchanged.
    Escritura elimina(int j);
    // Counters 0, creation date today, counted-up-to date 0, for every syndicate.
    Escritura reseteaContadores(double hoy);

private:
    QString ruta_;
    std::vector<Pena> penas_;
    qint64 resto_ = 0;
    qint64 rechazado_ = -1;
};
