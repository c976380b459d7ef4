#pragma once

#include "archive/escritura.h"
#include "archive/sorteo.h"

#include <QString>
#include <vector>

// The draw archive numeros.dat. The whole file is small (32 bytes a draw), so it is read into
// memory once and every reader works on that copy; writers rewrite the file in one step and
// keep the copy in step with it.
class ArchivoSorteos {
public:
    static constexpr int kMaximo = 32766; // record numbers are 16-bit

    ArchivoSorteos() = default;
    explicit ArchivoSorteos(QString ruta) : ruta_(std::move(ruta)) {}

    const QString &ruta() const { return ruta_; }
    void ponRuta(const QString &ruta) { ruta_ = ruta; }

    // Creates a missing file empty and reads it. A trailing piece shorter than a record is not
    // a draw: it is ignored here and dropped by the next rewrite. So is a damaged draw (see
    // danado): it is counted in danados() and left out of the copy in memory, so that no
    // reader takes it for a real draw or counts prizes on it.
    Escritura abre();
    // Drops the copy in memory (the file is about to be replaced) ...
    void cierra();
    // ... and reads it again afterwards.
    Escritura reabre() { return abre(); }

    int cuenta() const { return static_cast<int>(sorteos_.size()); }
    int proximosorteo() const { return cuenta() + 1; }
    bool vacio() const { return sorteos_.empty(); }
    // Draw n, 1-based, n < proximosorteo().
    const Sorteo &lee(int n) const { return sorteos_[static_cast<size_t>(n - 1)]; }
    const Sorteo &ultimo() const { return sorteos_.back(); }
    const std::vector<Sorteo> &sorteos() const { return sorteos_; }
    // Bytes after the last whole record when the file was read.
    qint64 restoParcial() const { return resto_; }
    // Records of the file left out as damaged when it was read.
    int danados() const { return danados_; }
    // Whole records of the file after the first kMaximo when it was read: never read, and gone
    // at the next rewrite.
    qint64 sobrantes() const { return sobrantes_; }

    // A record that reads as a draw but holds values no draw has: repeated numbers, a
    // complementary number or refund out of range, an impossible Joker. (A record whose main
    // numbers are out of 1..49 or whose date is no date at all is not this: the statistics pass
    // treats the whole archive as unreadable then.) A date is never judged against the clock:
    // a machine whose clock went back (a flat battery) would lose real draws at the next
    // rewrite.
    static bool danado(const Sorteo &sorteo);

    // Appends the draws (oldest first) and rewrites the file.
    Escritura agrega(const std::vector<Sorteo> &nuevos);
    // Replaces the whole archive by these draws.
    Escritura reescribe(std::vector<Sorteo> sorteos);
    // Removes draw n (1-based).
    Escritura elimina(int n);

    static QByteArray serializa(const std::vector<Sorteo> &sorteos);
    // Whole records of a byte image, at most kMaximo.
    static std::vector<Sorteo> deserializa(const QByteArray &bytes);

private:
    QString ruta_;
    std::vector<Sorteo> sorteos_;
    qint64 resto_ = 0;
    int danados_ = 0;
    qint64 sobrantes_ = 0;
};
