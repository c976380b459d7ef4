#pragma once

#include "archive/escritura.h"
#include "web/desglose.h"

#include <QByteArray>
#include <QDate>
#include <QString>

// nums.ini: one 78-byte record with the printing offsets, the bet price, the statistics depth
// and the maker's web address.
struct Ajustes {
    static constexpr int kLongitud = 78;
    static constexpr int kAnchoWeb = desglose::kAnchoHost;
    // A bet costs 1 € unless the user says otherwise: nobody plays for free.
    static constexpr float kPrecioOmision = 1.0f;
    // No price of a bet reaches this (the money's cents would not be reckoned).
    static constexpr float kPrecioMaximo = 1e6f;
    // The statistics sliders go no lower.
    static constexpr qint16 kProfundidadMinima = 2;

    qint16 reservado1 = 0;
    float desplazaX = 0;
    float desplazaY = 0;
    qint16 reservado2 = 0;
    float precio = kPrecioOmision;
    qint16 profundidad = kProfundidadMinima; // months, start value of the statistics sliders
    QByteArray web = QByteArray(kAnchoWeb, ' ');

    // The record exactly as stored, whatever its price and depth.
    static Ajustes desdeBytes(const char *datos);
    QByteArray aBytes() const;
    QString webTexto() const; // trimmed
    void ponWeb(const QString &host);
    // A price that is no price (0, negative, not a number, absurdly large) becomes 1 €, a
    // depth below 2 months becomes 2: what the program works with.
    void corrige();

    // Reads record 1 of the file (an empty or short file reads as zeros) and corrects it; the
    // file is not written.
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

// What the user chooses in "Configuración" beyond the price and the depth, and what the
// program remembers between runs about the downloads it makes by itself and the desktop
// notices. Kept in ajustes.ini, section [programa], beside the build's settings: nums.ini is a
// record of fixed layout with no room for them.
struct Preferencias {
    bool bajarAlAbrir = true;     // bajaralabrir: new draws come by themselves
    bool avisosEscritorio = true; // avisosescritorio: a desktop notice when a syndicate wins
    QDate rechazoAvisado; // rechazoavisado: the day the user last heard the operator refused one
    QDate sorteoAvisado;  // sorteoavisado: the draw the last desktop notice was about

    // A missing or unreadable file, or a key it lacks, reads as the defaults.
    static Preferencias lee(const QString &carpeta);
    // Puts the four keys in the file, each in place of its line, leaving every other byte as
    // it was; a file too large to be the program's is not written (Fallo).
    Escritura escribe(const QString &carpeta) const;
    bool operator==(const Preferencias &) const = default;
};

// Start-up reading of nums.ini: creates it when missing (1 € a bet, 2 months of statistics),
// and puts the default maker host in place of an empty field or of the former address. A price
// or depth it corrects is not a reason to write it. `reescrito` tells whether it was written
// (false when the write failed: the record is then only in memory).
Ajustes leeajustes(const QString &carpeta, const Sitios &sitios, bool *reescrito = nullptr);
