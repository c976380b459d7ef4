#pragma once

#include "archive/lote.h"
#include "web/transferencia.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QUrl>
#include <memory>
#include <vector>

// One way of asking the operator for draws over the network. A source says what to ask for a
// range of days and reads each answer into the neutral Lote; the download asks, the session
// applies what was read. The results pages of the operator keep their own two-page walk (the
// search page, then the newest draw's page) and are no Fuente.
//
// Adding a JSON service is one new file: a class derived from FuenteJson (see
// fuenterango.cpp), a function that makes it declared below, and its name in the "fuente"
// setting.
class Fuente {
public:
    struct Peticion {
        QUrl direccion;
        Transferencia::Cabeceras cabeceras;
    };
    struct Lectura {
        enum class Forma {
            Lista,     // an answer of the service: its draws, or that there were none
            NoEsLista, // anything else (an error object, a cut answer)
            Pagina,    // an HTML page where JSON was expected: a gate in front of the service
            Grande     // refused unread: longer than the service ever answers
        };
        Forma forma = Forma::NoEsLista;
        Lote lote;
        // The newest draw's entry as the source wrote it, kept for the "Último sorteo" tab.
        QByteArray entradaUltimo;
    };

    virtual ~Fuente() = default;
    // What to ask to learn every draw held from `desde` to `hasta`, oldest first.
    virtual std::vector<Peticion> peticiones(const QDate &desde, const QDate &hasta) const = 0;
    // One answer read.
    virtual Lectura lee(const QByteArray &respuesta) const = 0;
    // An address the user can open in a browser and save, whose answer the import of a file
    // reads, for the same days.
    virtual QUrl enNavegador(const QDate &desde, const QDate &hasta) const = 0;
    // The largest answer taken.
    virtual qint64 limite() const = 0;
};

// What the operator's JSON services have in common: where they are, the headers they are asked
// with, and answers in one shape (servicio::lee). A new service derives from it and says only
// what it asks for.
class FuenteJson : public Fuente {
public:
    // `sitio` is the service's scheme and host; `agente` the User-Agent to send (empty: the
    // network library's own).
    FuenteJson(QString sitio, QString agente) : sitio_(std::move(sitio)), agente_(std::move(agente))
    {
    }
    Lectura lee(const QByteArray &respuesta) const override;
    qint64 limite() const override;

protected:
    Peticion peticion(const QUrl &direccion) const;
    const QString &sitio() const { return sitio_; }

private:
    QString sitio_;
    QString agente_;
};

// The operator's services.
// buscadorSorteos: every draw of a range, at most a year a request.
std::unique_ptr<Fuente> fuenteRango(const QString &sitio, const QString &agente);
// fechav3: one draw day a request.
std::unique_ptr<Fuente> fuenteFecha(const QString &sitio, const QString &agente);

namespace fuentes {
// An answer of the operator's JSON services read into a Lote.
Fuente::Lectura leeServicio(const QByteArray &respuesta);
} // namespace fuentes
