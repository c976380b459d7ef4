#pragma once

#include "simulacion/paginas.h"

#include <QByteArray>
#include <QDate>
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
    Modo resultados = Modo::Normal; // the results service; Corto answers with no JSON at all
    int codigoError = 500;
    QDate servicioMalo;           // the service answers a draw held that day with a bad one
    qsizetype tamanoServicio = 0; // the service's answers padded to about this size

    // Request targets received, in order (path and query, percent-decoded).
    QStringList peticiones;
    // Requests to the results service so far, and the headers of the last one as received.
    int peticionesServicio() const;
    QByteArray cabecerasServicio;

signals:
    void peticion(const QString &destino);

private:
    void atiende(QTcpSocket *socket);
    void responde(QTcpSocket *socket, const QString &destino);
    static void envia(QTcpSocket *socket, int estado, const QByteArray &tipo,
                      const QByteArray &cuerpo);

    QTcpServer servidor_;
    QList<QPointer<QTcpSocket>> mudos_;
};
