#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// One reduction table of tablas.bin: the user chooses n numbers, one bet is certain to reach g
// hits when the six winners are among them, and the k bets are six indexes each into the chosen
// numbers in ascending order (index 1 = the smallest chosen number).
struct TablaReducida {
    int n = 0;
    int g = 0;
    QString lineaG; // the guarantee line as written ("5 aciertos"), shown whole
    int k = 0;
    std::vector<std::array<int, 6>> apuestas;
};

// The tables of the file that can be offered, in file order. A table's ordinal (tablasel) is its
// position in `tablas`: a malformed table is left out and never gets one.
struct Tablas {
    std::vector<TablaReducida> tablas;
    int rechazadas = 0; // malformed tables (or stretches of lines) that were passed over
    bool leido = false; // the file could be read at all

    bool vacio() const { return tablas.empty(); }
    // Smallest and largest N offered (0 when there is none).
    int minimo() const;
    int maximo() const;
};

namespace reducidas {

constexpr int kMaxN = 20;  // the syndicate record keeps 20 chosen numbers
constexpr int kMaxK = 205; // ... and 205 bets
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

// Leading decimal number of a line: blanks skipped, longest run of digits; 0 when there is none.
// Absurdly long runs stop growing (the caller rejects them as out of range anyway).
int numeroInicial(QByteArrayView linea);

// Reads the tables from the bytes of tablas.bin. Never fails: what cannot be a table is skipped.
Tablas interpreta(const QByteArray &contenido);
// Reads the file; a missing, unreadable or oversized file gives no tables (leido = false).
Tablas lee(const QString &ruta);

// The drop-down text of one table: "10 números al 5, 14 apuestas."
QString entrada(const TablaReducida &tabla);

// The table list of the creation tab for n chosen numbers.
struct Listado {
    QStringList entradas;          // drop-down entries
    std::vector<int> indicetablas; // ordinal of each entry
    QString textoCombo;            // "Tablas disponibles" or the no-tables text
    bool hayTablas = false;        // the "Reducida" button can be used
    QString rango;                 // range message, or the invalid-file text
};
Listado listatablas(const Tablas &tablas, int n);

// 1 x 2 x ... x n in double precision (1 for n < 1).
double Factorial(int n);
// C(n, 6) from Factorial, as the figures show it.
double combinaciones6(int n);

// The four figures of the selected table (the creation tab's reduced panel).
struct Cifras {
    QString titulo;        // Label43
    QString garantia;      // Label48
    QString posibilidad;   // Label47
    QString sinReducir;    // Label49
    QString apuestasTotal; // Label50
};
Cifras cifras(const TablaReducida &tabla, const QLocale &locale = QLocale());

} // namespace reducidas
