#pragma once

#include "web/transferencia.h"

#include <QObject>
#include <QString>
#include <QUrl>

// The download of new draws, driven one step per second by the window's timer: the search
// page on the first transfer control, the parse, the newest draw's page on the second one,
// then the refreshes. Nothing here waits: the transfers run on the event loop while the
// window stays responsive, and the timer ticks count how long the site takes.
class Descarga : public QObject {
    Q_OBJECT
public:
    // Texts of the status label.
    static QString conectando(); // "CONECTANDO AL SERVIDOR"
    static QString buscando();   // "BUSCANDO SORTEOS"
    static QString analizando(); // "ANALIZANDO DATOS"
    static QString finalizada(); // "TRANSFERENCIA FINALIZADA"

    enum class Aviso {
        NoConectado, // unreachable site, failed transfer, no answer within 5 ticks
        Tarda        // the first page not processed within 30 ticks
    };
    static QString textoAviso(Aviso aviso);
    static QString tituloAviso(Aviso aviso);

    // What the download does on the window.
    class Ventana {
    public:
        virtual ~Ventana() = default;
        virtual QString estado() const = 0; // Label6
        virtual void ponEstado(const QString &texto) = 0;
        virtual QString bytes() const = 0; // Label58
        virtual void ponBytes(const QString &texto) = 0;
        virtual int progreso() const = 0; // ProgressBar1, 0..5
        virtual void ponProgreso(int valor) = 0;
        virtual void temporizador(bool enMarcha) = 0; // Timer1
        virtual void avisa(Aviso aviso) = 0;          // warning box
        virtual void primeraPestana() = 0;            // SSTab1 back to its first tab
        // The parse of the search page (stored form); runs once per download.
        virtual void analizasorteos(const QByteArray &pagina) = 0;
        virtual QString enlacesorteo() const = 0;
        virtual bool errordatos() const = 0;
        // Checking, archive scan, statistics and prize breakdown after a good parse.
        virtual void postproceso() = 0;
    };

    Descarga(QString carpeta, Ventana &ventana, QObject *parent = nullptr);

    // Starts a download: asks `sitio` for the search page `busqueda`, arms the timer.
    void empieza(const QUrl &busqueda, const QString &sitio);
    // One timer tick.
    void tick();
    // Cancels the first transfer and stops the timer (a transfer error seen by the parse).
    void detiene();
    bool activa() const { return activa_; }

    // Step of the download: 2 before the first page, 3 when it is here, 5 parsed,
    // 6 second page asked for, 7 second page ready.
    int pasodescarga = 0;
    int segundosdescarga = 0; // ticks since the last reset
    int estadoinet = 0;       // last state of the first transfer control (11 = failed)
    QByteArray texto;         // the last page received, as it came

    Transferencia Inet1;
    Transferencia Inet2;

private:
    void paso();
    void primeraRecibiendo(qint64 bytes);
    void primeraTerminada(bool bien);
    void segundaTerminada(bool bien);
    // Ends the download without a result: message, timer off, progress 0, status cleared.
    void abandona(Aviso aviso);
    void guarda(const QString &archivo, const QByteArray &contenido) const;

    QString carpeta_;
    Ventana &ventana_;
    QString sitio_;
    bool activa_ = false;
    bool enTick_ = false;
};
