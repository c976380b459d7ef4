#pragma once

#include "archive/sorteo.h"
#include "syndicates/pena.h"

#include <QDate>
#include <QTemporaryDir>
#include <vector>

// A throw-away program directory with the files the program ships (tablas.bin...).
class CarpetaPrueba {
public:
    CarpetaPrueba();
    // The same, inside the given folder (a disk the test prepared).
    explicit CarpetaPrueba(const QString &dentroDe);
    QString ruta() const { return dir_.path(); }
    QString archivo(const QString &nombre) const { return dir_.filePath(nombre); }

    void escribe(const QString &nombre, const QByteArray &contenido) const;
    QByteArray lee(const QString &nombre) const;
    void escribeSorteos(const std::vector<Sorteo> &sorteos) const;
    void escribePenas(const std::vector<Pena> &penas) const;
    // The real draw history in the program's layout, or an empty path when it is not here.
    static QString historicoReal();

private:
    void prepara();

    QTemporaryDir dir_;
};

// A valid draw on the given day, numbers n..n+5, complementary 49.
Sorteo sorteoDe(const QDate &dia, int primero = 1);
// A simple syndicate of one bet 1..6 playing the given days from a date.
Pena penaDe(const QString &nombre, const QString &dias, const QDate &desde);
