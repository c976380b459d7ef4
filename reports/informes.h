#pragma once

#include "reports/basedatos.h"

#include <QStringList>
#include <array>
#include <vector>

// The report database Bolarium.mdb of the program directory and its five tables. Every writer
// opens it, writes in one transaction and closes it before returning.
namespace informes {

QString rutaBase(const QString &carpeta);
// The schema the build makes the delivered database from (data/Bolarium.sql).
QString esquema();

// What the user is told when the report database of `carpeta` could not be written: its path
// and the cause (in use by another program, a file or folder that may not be written, a full
// disk), with the error number.
QString textoFallo(const QString &carpeta, const ErrorBase &error);
// The error is a lock held by another program, not a fault of the file.
bool bloqueada(const ErrorBase &error);

// Opens the report database. A file that is missing, that the password does not open, or whose
// tables, fields or single rows are not all there is made again from the schema: it only ever
// holds copies of what the record files say. One locked by another program is left alone.
bool abre(BaseDatos &base, const QString &carpeta, ErrorBase *error = nullptr);

// "Sorteos": the statistics selection.
struct FilaSorteos {
    double dia1 = 0; // oldest selected draw (serial date, 0 = none)
    double dia2 = 0; // newest selected draw
    int total = 0;
    QString diasajugar;
    bool operator==(const FilaSorteos &) const = default;
};

// "Numeros": one of the most frequent numbers.
struct FilaNumero {
    int numero = 0;
    int veces = 0;
    bool operator==(const FilaNumero &) const = default;
};

// "Peña": the syndicate shown last in the syndicate manager.
struct FilaPena {
    QString nombre;
    QString diasajugar;
    float dinero = 0;
    double dia1 = 0;
    double dia2 = 0;
    QString aciertos;
    double sorteos = 0;
    // Fields "3", "4", "5", "5C" and "6", in that order.
    std::array<qint16, 5> premios{};
    bool operator==(const FilaPena &) const = default;
};

bool escribeFrase(const QString &carpeta, const QString &frase, ErrorBase *error = nullptr);
bool escribeSorteos(const QString &carpeta, const FilaSorteos &fila, ErrorBase *error = nullptr);
// Replaces every row of "Numeros" by these, in this order.
bool escribeNumeros(const QString &carpeta, const std::vector<FilaNumero> &filas,
                    ErrorBase *error = nullptr);
// Overwrites the row of "Peña"; `dineroLeido` gets "Dinero" as the table gives it back.
bool escribePena(const QString &carpeta, const FilaPena &fila, float *dineroLeido = nullptr,
                 ErrorBase *error = nullptr);
// Replaces every row of "Peñanums" by one row per bet text.
bool escribePenanums(const QString &carpeta, const QStringList &apuestas,
                     ErrorBase *error = nullptr);

// "Ganancias": the money of the syndicate of "Peña", in euro cents.
struct FilaGanancias {
    qint64 premios = 0; // before the tax
    qint64 jugado = 0;
    qint64 balance = 0; // the net less the stake
    int sinImporte = 0; // draws with a prize whose amount is not known
    int jugados = 0;
    qint64 joker = 0; // of `premios`, what the Joker numbers won
    qint64 retencion = 0;
    qint64 neto = 0;
    int pendientes = 0; // prizes whose amount is not known: the figures are provisional
    bool operator==(const FilaGanancias &) const = default;
};

// "Premiados": a draw that syndicate won something in.
struct FilaPremiado {
    double fecha = 0;
    QString premios;
    QString joker;
    qint64 importe = -1; // cents before the tax; -1 while an amount is not known
    bool operator==(const FilaPremiado &) const = default;
};

// "Socios": one member of that syndicate and its parts, in euro cents.
struct FilaSocio {
    QString nombre;
    qint64 participaciones = 0;
    qint64 premios = 0;
    qint64 jugado = 0;
    qint64 balance = 0;
    bool operator==(const FilaSocio &) const = default;
};

// Overwrites the row of "Ganancias" and replaces every row of "Premiados" and "Socios" by
// these.
bool escribeGanancias(const QString &carpeta, const FilaGanancias &fila,
                      const std::vector<FilaPremiado> &premiados,
                      const std::vector<FilaSocio> &socios, ErrorBase *error = nullptr);

// "Cuentas": the accounts of that syndicate, in euro cents.
struct FilaCuentas {
    qint64 pagado = 0;    // every payment of its members
    qint64 entregado = 0; // everything handed to them
    qint64 bote = 0;
    bool reparten = true; // prizes are shared out; false: kept in the pot
    bool operator==(const FilaCuentas &) const = default;
};

// "Saldos": one member's account.
struct FilaSaldo {
    QString nombre;
    qint64 pagado = 0;
    qint64 entregado = 0;
    qint64 saldo = 0; // positive: owed to them; negative: what they owe
    bool operator==(const FilaSaldo &) const = default;
};

// Overwrites the row of "Cuentas" and replaces every row of "Saldos" by these.
bool escribeCuentas(const QString &carpeta, const FilaCuentas &fila,
                    const std::vector<FilaSaldo> &saldos, ErrorBase *error = nullptr);

// Everything the reports show, read back from the tables.
struct Contenido {
    QString frase;
    FilaSorteos sorteos;
    std::vector<FilaNumero> numeros;
    FilaPena pena;
    QStringList penanums;
    FilaGanancias ganancias;
    std::vector<FilaPremiado> premiados;
    std::vector<FilaSocio> socios;
    FilaCuentas cuentas;
    std::vector<FilaSaldo> saldos;
};
bool lee(const QString &carpeta, Contenido &contenido, ErrorBase *error = nullptr);

// Dates are stored as ISO text; 0 is stored as NULL.
QVariant fechaBase(double serial);
double fechaDeBase(const QVariant &valor);

} // namespace informes
