#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkReply;
class QTimer;

// One transfer control: fetches one address at a time, always from the network (no cache),
// with a size limit and a time-out of its own, and can be cancelled. It never blocks: the
// answer arrives through the event loop and the signals below.
class Transferencia : public QObject {
    Q_OBJECT
public:
    enum class Estado {
        Libre,   // nothing asked yet, or cancelled
        Ocupada, // a transfer is running
        Hecha,   // the last transfer ended with a whole answer
        Fallida  // the last transfer failed (network, server error, time-out, too big)
    };
    // Why the last transfer failed.
    enum class Fallo {
        Ninguno,
        Red,         // unreachable, broken, timed out
        Http,        // the server answered with an error status (codigoHttp)
        Grande,      // the answer went past the size limit and was dropped
        Plazo,       // the transfer ran past its deadline or stalled (a slow or trickling site)
        Redireccion, // the site sent it to another host
        Bucle        // the site kept redirecting it, past kMaximoRedirecciones
    };
    // Request headers beyond the program's own, as name and value.
    using Cabeceras = QList<QPair<QByteArray, QByteArray>>;
    // State numbers of the transfer control the download keeps in estadoinet.
    static constexpr int kEstadoConectando = 4;
    static constexpr int kEstadoRecibiendo = 8;
    static constexpr int kEstadoError = 11;
    static constexpr int kEstadoCompleto = 12;

    static constexpr qint64 kLimitePagina = 16 * 1024 * 1024;
    static constexpr int kTiempoMaximo = 30000; // ms without any progress
    // ms for the whole transfer, however steadily it trickles in.
    static constexpr int kPlazoTotal = 120000;
    // Internal buffer of the network layer: nothing much beyond it is held before it is read.
    static constexpr qint64 kBufferRed = 256 * 1024;
    static constexpr int kMaximoRedirecciones = 5;

    explicit Transferencia(QObject *parent = nullptr);
    ~Transferencia() override;

    // Cancels whatever is running and asks for the address. The transfer fails as soon as the
    // answer passes `limite` bytes (or announces more), when it has run for its deadline, and
    // when it is redirected to another host.
    void pide(const QUrl &direccion, qint64 limite = kLimitePagina,
              const Cabeceras &cabeceras = {});
    // Stops the running transfer; no signal is sent for it.
    void cancela();

    Estado estado() const { return estado_; }
    bool ocupada() const { return estado_ == Estado::Ocupada; }
    // Not running and the last answer, if any, came whole (nothing to report).
    bool libre() const { return estado_ == Estado::Libre || estado_ == Estado::Hecha; }
    const QByteArray &datos() const { return datos_; }
    const QString &error() const { return error_; }
    Fallo fallo() const { return fallo_; }
    int codigoHttp() const { return codigoHttp_; }
    // The seconds an error answer asked to wait before trying again (Retry-After), -1 if none.
    int reintentarTras() const { return reintentarTras_; }
    const QUrl &direccion() const { return direccion_; }
    void ponTiempoMaximo(int ms) { tiempoMaximo_ = ms; }
    void ponPlazo(int ms) { plazo_ = ms; }
    // The request of the running or last transfer reached the server: it is reachable, and
    // an answer that does not come is the server's delay, not the connection's.
    bool enviada() const { return enviada_; }
    // Bytes received of the running or last transfer, kept or not (for the tests of the limit).
    qint64 recibidos() const { return recibidos_; }

signals:
    void cambiaEstado(int estado);
    void recibiendo(qint64 bytes);
    void terminada(bool bien);

private:
    void termina();
    void falla(const QString &motivo, Fallo fallo);
    void suelta();
    void lee(QNetworkReply *r);
    void redirigida(QNetworkReply *r, const QUrl &destino);

    QNetworkAccessManager red_;
    QPointer<QNetworkReply> respuesta_;
    Estado estado_ = Estado::Libre;
    QByteArray datos_;
    QString error_;
    Fallo fallo_ = Fallo::Ninguno;
    int codigoHttp_ = 0;
    int reintentarTras_ = -1;
    QUrl direccion_;
    qint64 limite_ = kLimitePagina;
    int tiempoMaximo_ = kTiempoMaximo;
    int plazo_ = kPlazoTotal;
    qint64 recibidos_ = 0;
    bool enviada_ = false;
    QList<QUrl> visitadas_; // the address asked for and every redirect followed
    QTimer *reloj_ = nullptr;
};
