#pragma once

#include "web/fuente.h"
#include "web/transferencia.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <vector>

// The download of new draws, driven one step per second by the window's timer: the search
// page on the first transfer control, the parse, the newest draw's page on the second one,
// then the refreshes. Nothing here waits: the transfers run on the event loop while the
// window stays responsive, and the timer ticks count how long the site takes.
//
// From a source of JSON answers (the operator's services, see fuente.h) the steps are others:
// its answers come one after the other on the first transfer control, each read at the next
// tick, then the same refreshes. The time-outs, the byte counter and the progress work the
// same way. A service that asks to slow down (HTTP 406 or 429) is asked again after 2, 4 and
// 8 ticks, or after the seconds it names, three times at most.
class Descarga : public QObject {
    Q_OBJECT
public:
    // Texts of the status label.
    static QString conectando();     // "CONECTANDO AL SERVIDOR"
    static QString buscando();       // "BUSCANDO SORTEOS"
    static QString analizando();     // "ANALIZANDO DATOS"
    static QString finalizada();     // "TRANSFERENCIA FINALIZADA"
    static QString datosNoValidos(); // "DATOS NO VÁLIDOS": the page could not be read
    static QString noGuardados();    // "SORTEOS NO GUARDADOS": found, but the archive refused
    static QString esperando();      // "ESPERANDO AL SERVIDOR": asked to slow down
    static constexpr int kReintentos = 3;
    // Longest wait a service may ask for before the download gives up on it.
    static constexpr int kEsperaMaxima = 60;

    enum class Aviso {
        NoConectado, // unreachable site, failed transfer, no answer within 5 ticks
        Tarda        // the first page not processed within 30 ticks
    };
    static QString textoAviso(Aviso aviso);
    static QString tituloAviso(Aviso aviso);
    // What a failed transfer to `host` says when its cause is not the connection (a time-out,
    // a refused redirect, a redirect loop); empty for the other causes, which have their own
    // messages.
    static QString textoFallo(const Transferencia &transferencia, const QString &host);
    // The server got the request but sent nothing within `segundos`.
    static QString textoSinRespuesta(const QString &host, int segundos);

    // What the download asks of the window.
    class Ventana {
    public:
        virtual ~Ventana() = default;
        virtual void temporizador(bool enMarcha) = 0; // Timer1
        virtual void avisa(Aviso aviso) = 0;          // warning box
        virtual void primeraPestana() = 0;            // SSTab1 back to its first tab
        // The parse of the search page (stored form); runs once per download.
        virtual void analizasorteos(const QByteArray &pagina) = 0;
        virtual QString enlacesorteo() const = 0;
        virtual bool errordatos() const = 0;
        // New draws were found but the archive could not store them (a full disk): the window
        // has told the user so, and nothing is checked.
        virtual bool sinGuardar() const { return false; }
        // Checking, archive scan, statistics and prize breakdown after a good parse.
        virtual void postproceso() = 0;

        // A source of JSON answers. One answer: its new draws go to the archive. False when
        // the download stops here; the window has told the user why.
        virtual bool leeRespuesta(const QByteArray &respuesta) = 0;
        // A failure of the source the window tells the user of (warning box).
        virtual void avisaFallo(const QString &texto, const QString &titulo) = 0;
        // The operator turned the program away (HTTP 403): the window offers the way round.
        virtual void rechazada(int codigoHttp) = 0;
        // Draws the running download has stored so far.
        virtual int nuevos() const = 0;
        // The answers are read: the count, the notice when nothing was new, the archive scan.
        virtual void cierraRespuestas() = 0;
        // What the status adds to "TRANSFERENCIA FINALIZADA" (empty: nothing).
        virtual QString notaFinal() const { return {}; }
    };

    Descarga(QString carpeta, Ventana &ventana, QObject *parent = nullptr);

    // Starts a download: asks `sitio` for the search page `busqueda`, arms the timer.
    void empieza(const QUrl &busqueda, const QString &sitio);
    // Starts a download from a source of JSON answers: asks for each request in turn (answers
    // up to `limite` bytes) and arms the timer. `host` names the source in the messages.
    void empiezaRespuestas(std::vector<Fuente::Peticion> peticiones, qint64 limite,
                           const QString &host);
    // One timer tick.
    void tick();
    // Cancels the first transfer, stops the timer and clears the progress and the status (a
    // transfer error seen by the parse).
    void detiene();
    bool activa() const { return activa_; }

    // What the window shows of the download: the status text, the bytes received and the
    // progress (0..maximo(); the refreshes after the download go on with maximo() - 2 and
    // maximo() - 1). The pages take 5 steps; the service one more for each answer after the
    // first.
    const QString &estado() const { return estado_; }
    const QString &bytes() const { return bytes_; }
    int progreso() const { return progreso_; }
    int maximo() const { return maximo_; }
    void ponProgreso(int valor);

    // Step of the download: 2 before the first page, 3 when it is here, 4 waiting to ask
    // again, 5 parsed, 6 second page asked for, 7 second page ready.
    int pasodescarga = 0;
    int segundosdescarga = 0; // ticks since the last reset
    int estadoinet = 0;       // last state of the first transfer control (11 = failed)
    QByteArray texto;         // the last page received, as it came

    Transferencia Inet1;
    Transferencia Inet2;

signals:
    void estadoCambiado(const QString &texto);
    void bytesCambiados(const QString &texto);
    void progresoCambiado(int valor);

private:
    void ponEstado(const QString &texto);
    void ponBytes(qint64 bytes, bool conUnidad = false);
    void paso();
    void primeraRecibiendo(qint64 bytes);
    void primeraTerminada(bool bien);
    void segundaTerminada(bool bien);
    // Ends the download without a result: message, timer off, progress 0, status cleared.
    void abandona(Aviso aviso);
    void abandona(const QString &texto);
    // The first transfer failed or gave nothing in time: the message that names its cause.
    QString causaFallo() const;
    QString causaSinRespuesta() const;
    // The answers of a source.
    void pasoRespuestas();
    void pide();
    void falla(const QString &texto, const QString &titulo);
    void cierraRespuestas();
    // A throttled request: false when it has been retried enough.
    bool esperaYReintenta();
    void guarda(const QString &archivo, const QByteArray &contenido) const;

    QString carpeta_;
    Ventana &ventana_;
    QString sitio_;
    bool activa_ = false;
    bool enTick_ = false;
    QString estado_;
    QString bytes_ = QStringLiteral("0 Bytes");
    qint64 bytesPrimera_ = 0; // size of the search page, counted again with the draw page
    int progreso_ = 0;
    int maximo_ = 5;

    bool respuestas_ = false; // answers of a source, not the results pages
    std::vector<Fuente::Peticion> peticiones_;
    size_t siguiente_ = 0; // the request the last answer belongs to is siguiente_ - 1
    qint64 limite_ = 0;
    QString host_;
    qint64 bytesAnteriores_ = 0; // answers already read
    int reintentos_ = 0;         // of the request under way
    int espera_ = 0;             // ticks to wait before asking it again
};
