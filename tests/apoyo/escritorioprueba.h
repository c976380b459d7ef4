#pragma once

#include "widgets/escritorio.h"

#include <QList>
#include <QStringList>

// The desktop the tests install: a fixed clock, every message recorded, questions answered
// from a script (Yes when the script runs out), a file "chosen" in advance and printing to PDF.
class EscritorioPrueba : public Escritorio {
public:
    struct Mensaje {
        QString texto;
        QString titulo;
        Icono icono;
        bool pregunta;
        bool peligrosa = false; // a question whose default answer is "No"
    };

    QDateTime reloj = QDateTime(QDate(2026, 1, 1), QTime(12, 0));
    QList<bool> respuestas; // answers to the next questions, in order
    QString archivoElegido; // "" = the file dialog is cancelled
    bool impresoraAceptada = true;
    QString pdfSalida;      // where an accepted print goes (a PDF file)
    QString destinoElegido; // file "chosen" in a save dialog; "" = cancelled
    QList<Mensaje> mensajes;
    QList<QUrl> direcciones;
    // The desktop notices, in order; `notifica` answers whether the desktop could show them.
    struct Notificacion {
        QString titulo;
        QString texto;
        QString pena;
    };
    QList<Notificacion> notificaciones;
    bool bandeja = true;
    int dialogosArchivo = 0;

    QDateTime ahora() const override { return reloj; }
    bool pregunta(const QString &texto, const QString &titulo, Icono icono) override;
    void aviso(const QString &texto, const QString &titulo, Icono icono) override;
    QString eligeArchivo(const QString &carpeta, const QString &titulo,
                         const QString &filtro) override;
    bool eligeImpresora(QPrinter &impresora) override;
    QString eligeDestino(const QString &, const QString &, const QString &) override
    {
        return destinoElegido;
    }
    void abreDireccion(const QUrl &direccion) override { direcciones.append(direccion); }
    bool notifica(const QString &titulo, const QString &texto, const QString &pena) override
    {
        notificaciones.append({titulo, texto, pena});
        return bandeja;
    }
    // The user clicks the last notice.
    void pulsaNotificacion() const { notificacionPulsada(notificaciones.last().pena); }

    QStringList textos() const;
    // How many of the messages so far had this title.
    int conTitulo(const QString &titulo) const;

    // Installs a fresh one and returns it (owned by Escritorio).
    static EscritorioPrueba *instala(const QDate &hoy = QDate(2026, 1, 1));
};
