#pragma once

#include "simulacion/paginas.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <vector>

class QTcpSocket;

// A stand-in for both web sites the program talks to, on 127.0.0.1 only: the operator's
// search page, draw pages, results service and result PDFs, and the maker's informe.dat. Each
// resource can be made to fail the ways a real site fails.
class SitioSimulado : public QObject {
    Q_OBJECT
public:
    enum class Modo {
        Normal,
        Error, // HTTP codigoError (500 unless told) with an error page of its own
        Mudo,  // takes the connection and never answers
        Corto, // answers 200 with a body of a few characters
        Lento  // sends the headers and the first few kilobytes, then nothing more
    };

    explicit SitioSimulado(QObject *parent = nullptr);
    ~SitioSimulado() override;

    // Listens on 127.0.0.1 (port 0: any free port).
    bool escucha(quint16 puerto = 0);
    quint16 puerto() const;
    QString direccion() const; // "http://127.0.0.1:port"
    QString host() const;      // "127.0.0.1:port", for the maker host setting

    // Points a program directory at this site (ajustes.ini), and sets where the program takes
    // new draws from: "pagina" (the search page and the draw pages) or "servicio".
    void configura(const QString &carpeta, const QString &fuente = QStringLiteral("pagina")) const;

    // Draws the site knows, in any order; the search page lists those in its date range,
    // newest first.
    std::vector<paginas::SorteoWeb> sorteos;
    qsizetype tamanoBusqueda = 350 * 1024;
    qsizetype tamanoSorteo = 200 * 1024;
    bool agrupados = false;
    QByteArray informe; // informe.dat; empty: not found

    Modo busqueda = Modo::Normal;
    Modo paginaSorteo = Modo::Normal;
    Modo documento = Modo::Normal;
    Modo mensaje = Modo::Normal;
    // The results service, both its range search and its per-date answer; Corto answers with
    // no JSON at all.
    Modo resultados = Modo::Normal;
    // The status of Modo::Error: 500 unless told. 403 sends the "Access Denied" page a CDN sends
    // when it refuses a client; every status goes with its own reason phrase.
    int codigoError = 500;
    QDate servicioMalo;           // the service answers a draw held that day with a bad one
    qsizetype tamanoServicio = 0; // the service's answers padded to about this size
    bool pdfEnServicio = false;   // the service names each draw's PDF (the real one does not)

    // The site's clock, which only decides what the results service lists: no draw after its
    // day, and the draw of its day as before its result until 22:00. Invalid (the default):
    // every draw is listed as it is in `sorteos`.
    QDateTime ahora;
    // Throttling: while above 0, each request to the results service is refused with 406 and
    // counts it down (1: refused once, then answered). reintentarTras above 0 adds a
    // "Retry-After" of that many seconds to those refusals and to Modo::Error's 429 and 503.
    int limitaciones = 0;
    int reintentarTras = 0;

    // Request targets received, in order (path and query, percent-decoded).
    QStringList peticiones;
    // Requests to the results service so far, range searches and per-date ones together, and
    // the headers of the last one as received.
    int peticionesServicio() const;
    QByteArray cabecerasServicio;

    // Appends made-up valid draws, the same on every run, on every draw day after the newest
    // draw the site has (or from `desde` when it has none) up to `hasta`: Thursdays and
    // Saturdays, and Mondays from 11/07/2022. Returns how many it appended.
    int continua(const QDate &hasta, const QDate &desde = {});

signals:
    void peticion(const QString &destino);

private:
    void atiende(QTcpSocket *socket);
    void responde(QTcpSocket *socket, const QString &destino);
    static void envia(QTcpSocket *socket, int estado, const QByteArray &tipo,
                      const QByteArray &cuerpo, const QByteArray &cabeceras = {});
    // The draws the results service lists for a range, newest first, as the clock and the late
    // breakdowns leave them; `responde` counts the late breakdowns down.
    std::vector<paginas::SorteoWeb> listaServicio(const QDate &desde, const QDate &hasta,
                                                  bool responde);

    QTcpServer servidor_;
    QList<QPointer<QTcpSocket>> mudos_;
};
