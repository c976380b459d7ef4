#pragma once

#include "archive/escritura.h"
#include "web/descarga.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <optional>
#include <vector>

class Sesion;
struct Sitios;

// What a download of new draws tells its user, whoever shows it: the window's message boxes
// or the lines a check without windows prints.
struct NotaBajada {
    enum class Tipo { Informacion, Exclamacion, Critico };
    QString texto;
    QString titulo;
    Tipo tipo = Tipo::Informacion;
    // The download did not bring all it should: it stopped, its data could not be used, or
    // what it found could not be stored.
    bool fallo = false;
};

// The decisions of a download that do not depend on how it is shown: whether it may start,
// what it asks for, and what each answer did to the archive. The check without windows makes
// all of them here; the download button reads the service's answers through lee() too, so
// both store exactly the same.
namespace bajada {

// The operator's host as the messages name it.
QString hostOperador(const Sitios &sitios);

// Why a download must not start now: the computer's clock is behind the newest archived draw,
// or (from the results pages, which list the last 50 days) draws are missing before those days.
// Nothing when it may start.
std::optional<NotaBajada> impedimento(const Sesion &sesion);
// The first day the results pages are asked for, and their search address.
QDate desdePaginas(const Sesion &sesion);
QUrl busqueda(const Sesion &sesion);

// One answer of a source of JSON answers read into the archive, as far as `hasta`.
struct Lectura {
    bool sigue = true;       // the download goes on with the next request
    bool rechazada = false;  // a web page came instead of the data: the operator turned it away
    bool sinGuardar = false; // new draws were found but numeros.dat refused them
    std::vector<NotaBajada> notas;
};
Lectura lee(Sesion &sesion, const QByteArray &respuesta, const QDate &hasta);

// The search page of the results pages read into the archive. `transferenciaFallida`: the
// transfer of the page failed (its state was the error one).
struct Analisis {
    bool sinGuardar = false; // the draws it found could not be stored
    bool detener = false;    // the download stops here
    bool errordatos = false; // the page could not be read: the session was told
    std::vector<NotaBajada> notas;
};
Analisis analiza(Sesion &sesion, const QByteArray &pagina, bool transferenciaFallida);

// "Todavía no hay sorteos nuevos.": the download found nothing new.
NotaBajada sinNovedades();
// `encontrados` new draws that numeros.dat refused.
NotaBajada noGuardados(int encontrados, Escritura escritura);

} // namespace bajada

// A whole download of new draws into the session without any window, as the download button
// makes it: the same requests, one step a second, the same storing and the same checking
// passes at the end. What it would have shown in message boxes is kept in notas().
class Bajada : public QObject, private Descarga::Ventana {
    Q_OBJECT
public:
    explicit Bajada(Sesion &sesion, QObject *parent = nullptr);
    ~Bajada() override;

    // Starts the download; false when it may not start (notas() says why), and then nothing
    // was asked and nothing changed.
    bool empieza();
    bool activa() const { return descarga_.activa(); }
    // Starts it and returns once it is over, running the events meanwhile. False when it did
    // not start.
    bool ejecuta();

    const std::vector<NotaBajada> &notas() const { return notas_; }
    // Something went wrong: a note says what.
    bool fallida() const;
    Descarga &descarga() { return descarga_; }

    // How long a step lasts, in ms; the time-outs of the download are counted in steps.
    static constexpr int kPaso = 1000;

signals:
    // The download is over, well or not.
    void terminada();

private:
    // Descarga::Ventana
    void temporizador(bool enMarcha) override;
    void avisa(Descarga::Aviso aviso) override;
    void primeraPestana() override {}
    void analizasorteos(const QByteArray &pagina) override;
    QString enlacesorteo() const override;
    bool errordatos() const override;
    bool sinGuardar() const override { return sinGuardar_; }
    void postproceso() override;
    bool leeRespuesta(const QByteArray &respuesta) override;
    void avisaFallo(const QString &texto, const QString &titulo) override;
    void rechazada(int codigoHttp) override;
    int nuevos() const override;
    void cierraRespuestas() override;
    QString notaFinal() const override;

    void anota(std::vector<NotaBajada> notas);
    void mira();

    Sesion &sesion_;
    Descarga descarga_;
    QTimer reloj_;
    std::vector<NotaBajada> notas_;
    bool sinGuardar_ = false;
    bool avisada_ = false; // terminada() was sent
    QDate hasta_;
};
