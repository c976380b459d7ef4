#include "web/transferencia.h"

#include <QNetworkReply>
#include <QNetworkRequest>

Transferencia::Transferencia(QObject *parent) : QObject(parent)
{
    // No disk cache, no cookies kept between answers: every fetch asks the site again.
    red_.setCache(nullptr);
    red_.setAutoDeleteReplies(false);
}

Transferencia::~Transferencia()
{
    suelta();
}

void Transferencia::suelta()
{
    if (!respuesta_)
        return;
    QNetworkReply *r = respuesta_;
    respuesta_ = nullptr;
    r->disconnect(this);
    r->abort();
    r->deleteLater();
}

void Transferencia::cancela()
{
    suelta();
    estado_ = Estado::Libre;
}

void Transferencia::pide(const QUrl &direccion, qint64 limite, const Cabeceras &cabeceras)
{
    suelta();
    datos_.clear();
    error_.clear();
    fallo_ = Fallo::Ninguno;
    codigoHttp_ = 0;
    direccion_ = direccion;
    limite_ = limite;
    estado_ = Estado::Ocupada;
    emit cambiaEstado(kEstadoConectando);

    QNetworkRequest peticion(direccion);
    peticion.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                          QNetworkRequest::AlwaysNetwork);
    peticion.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::NoLessSafeRedirectPolicy);
    peticion.setTransferTimeout(tiempoMaximo_);
    peticion.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Bolarium/3.4"));
    for (const auto &[nombre, valor] : cabeceras)
        peticion.setRawHeader(nombre, valor);
    QNetworkReply *r = red_.get(peticion);
    respuesta_ = r;
    connect(r, &QNetworkReply::readyRead, this, [this, r] {
        if (r != respuesta_)
            return;
        datos_ += r->readAll();
        if (datos_.size() > limite_) {
            falla(QStringLiteral("respuesta demasiado grande"), Fallo::Grande);
            return;
        }
        emit cambiaEstado(kEstadoRecibiendo);
        emit recibiendo(datos_.size());
    });
    connect(r, &QNetworkReply::finished, this, [this, r] {
        if (r == respuesta_)
            termina();
    });
}

void Transferencia::termina()
{
    QNetworkReply *r = respuesta_;
    datos_ += r->readAll();
    const int http = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // An error page is not the page that was asked for, however long it is. (Qt also reports
    // most error statuses as a network error; the status says more.)
    if (http != 0 && (http < 200 || http >= 300)) {
        codigoHttp_ = http;
        falla(QStringLiteral("HTTP %1").arg(http), Fallo::Http);
        return;
    }
    if (r->error() != QNetworkReply::NoError) {
        falla(r->errorString(), Fallo::Red);
        return;
    }
    if (datos_.size() > limite_) {
        falla(QStringLiteral("respuesta demasiado grande"), Fallo::Grande);
        return;
    }
    respuesta_ = nullptr;
    r->disconnect(this);
    r->deleteLater();
    estado_ = Estado::Hecha;
    emit cambiaEstado(kEstadoCompleto);
    emit terminada(true);
}

void Transferencia::falla(const QString &motivo, Fallo fallo)
{
    suelta();
    datos_.clear();
    error_ = motivo;
    fallo_ = fallo;
    estado_ = Estado::Fallida;
    emit cambiaEstado(kEstadoError);
    emit terminada(false);
}
