#pragma once

#include "archive/sorteo.h"
#include "syndicates/pena.h"

#include <QDate>
#include <QString>
#include <vector>

// What the archive scan leaves behind: the draw counts and the date texts of the main window.
struct Recuento {
    int proximosorteo = 1;
    int sorteosjugados = 0;
    Sorteo actual;                // newest draw; date 0 for an empty archive
    QString ultimoTexto;          // Label9_3
    bool hayDatos = false;        // enables Check1, Check2 and HScroll1
    double proximo = 0;           // serial date of the next draw
    QString proximoTexto;         // Label9_5
    QString cuentaAtras;          // Label9_7
    bool avisoActualizar = false; // Timer2 runs and Label9_6 blinks
    QString avisoTexto;           // Label9_6
};

// Draws in which at least one syndicate plays (each draw counted once).
int sorteosjugados(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas);

Recuento recuenta(const std::vector<Sorteo> &sorteos, const std::vector<Pena> &penas,
                  const QDate &hoy);
