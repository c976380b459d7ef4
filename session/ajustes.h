#pragma once

#include "archive/escritura.h"
#include "web/desglose.h"

#include <QByteArray>
#include <QString>

// nums.ini: one 78-byte record with the printing offsets, the bet price, the statistics depth
// and the maker's web address.
struct Ajustes {
    static constexpr int kLongitud = 78;
    static constexpr int kAnchoWeb = desglose::kAnchoHost;

    qint16 reservado1 = 0;
    float desplazaX = 0;
    float desplazaY = 0;
    qint16 reservado2 = 0;
    float precio = 0;
    qint16 profundidad = 0; // months, start value of the statistics sliders
    QByteArray web = QByteArray(kAnchoWeb, ' ');

    static Ajustes desdeBytes(const char *datos);
    QByteArray aBytes() const;
    QString webTexto() const; // trimmed
    void ponWeb(const QString &host);

    // Reads record 1 of the file (an empty or short file gives a record of zeros).
    static Ajustes lee(const QString &ruta);
    Escritura escribe(const QString &ruta) const;
};

// Settings of this build that the program does not ask the user for: where the operator's and
// the maker's sites are, and where a participation marks Monday. Kept in ajustes.ini beside
// the program, written with defaults.
struct Sitios {
    // ajustes.ini holds a few short lines; a larger file is not read (defaults for the run).
    static constexpr qint64 kLimiteIni = 64 * 1024;

    // Where new draws come from ("fuente" under [operador]): the operator's range service
    // ("servicio"), its per-date service ("fecha"), or its results pages ("pagina").
    enum class Fuente { Servicio, Fecha, Pagina };

    QString operadorSitio; // scheme and host of the results site
    Fuente fuente = Fuente::Servicio;
    QString operadorAgente;    // User-Agent the results service is asked with
    QString operadorSitioPdf;  // plain-http scheme and host of the result PDF
    QString autorWeb;          // default maker host, no scheme
    QString autorWebAntigua;   // former maker address that start-up replaces
    QString autorCorreo;       // support e-mail
    QString lectorPdfDescarga; // page to download a PDF reader
    double marcaLunes = 50;    // mm from a participation's top to its Monday mark

    // Missing keys get their defaults and are added to the file; `escritura` tells how saving
    // them went (Hecha when nothing was missing).
    static Sitios lee(const QString &carpeta, Escritura *escritura = nullptr);
};

// Start-up reading of nums.ini: creates it when missing, and puts the default maker host in
// place of an empty field or of the former address. `reescrito` tells whether it was written
// (false when the write failed: the record is then only in memory).
Ajustes leeajustes(const QString &carpeta, const Sitios &sitios, bool *reescrito = nullptr);
