#include "web/transferencia.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>

Transferencia::Transferencia(QObject *parent) : QObject(parent)
{
    // No disk cache, no cookies kept between answers: every fetch asks the site again.
    red_.setCache(nullptr);
    red_.setAutoDeleteReplies(false);
    reloj_ = new QTimer(this);
    reloj_->setSingleShot(true);
    connect(reloj_, &QTimer::timeout, this, [this] {
        if (respuesta_)
            falla(QStringLiteral("tiempo agotado"), Fallo::Plazo);
    });
}

Transferencia::~Transferencia()
{
    suelta();
}

void Transferencia::suelta()
{
    if (reloj_)
        reloj_->stop();
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
    reintentarTras_ = -1;
    recibidos_ = 0;
    enviada_ = false;
    visitadas_ = {direccion};
    direccion_ = direccion;
    limite_ = limite;
    estado_ = Estado::Ocupada;
    emit cambiaEstado(kEstadoConectando);

    QNetworkRequest peticion(direccion);
    peticion.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                          QNetworkRequest::AlwaysNetwork);
    peticion.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Every redirect is looked at: only one to the same host is followed.
    peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::UserVerifiedRedirectPolicy);
    peticion.setMaximumRedirectsAllowed(kMaximoRedirecciones);
    peticion.setTransferTimeout(tiempoMaximo_);
    peticion.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Bolarium/3.4"));
    for (const auto &[nombre, valor] : cabeceras)
        peticion.setRawHeader(nombre, valor);
    QNetworkReply *r = red_.get(peticion);
    respuesta_ = r;
    // Without a bound the network layer keeps reading into memory whatever the site sends.
    r->setReadBufferSize(kBufferRed);
    reloj_->start(plazo_);
    connect(r, &QNetworkReply::metaDataChanged, this, [this, r] {
        if (r != respuesta_)
            return;
        // An answer that says beforehand it is too large is not waited for.
        const QVariant largo = r->header(QNetworkRequest::ContentLengthHeader);
        if (largo.isValid() && largo.toLongLong() > limite_)
            falla(QStringLiteral("respuesta demasiado grande"), Fallo::Grande);
    });
    connect(r, &QNetworkReply::requestSent, this, [this, r] {
        if (r == respuesta_)
            enviada_ = true;
    });
    connect(r, &QNetworkReply::readyRead, this, [this, r] { lee(r); });
    connect(r, &QNetworkReply::redirected, this,
            [this, r](const QUrl &destino) { redirigida(r, destino); });
    connect(r, &QNetworkReply::finished, this, [this, r] {
        if (r == respuesta_)
            termina();
    });
}

void Transferencia::lee(QNetworkReply *r)
{
    if (r != respuesta_)
        return;
    // Never more than one byte past the limit is taken in: that byte says it was passed.
    const qint64 cabe = limite_ + 1 - datos_.size();
    const QByteArray trozo = r->read(std::max<qint64>(cabe, 1));
    if (trozo.isEmpty())
        return;
    recibidos_ += trozo.size();
    datos_ += trozo;
    if (datos_.size() > limite_) {
        falla(QStringLiteral("respuesta demasiado grande"), Fallo::Grande);
        return;
    }
    emit cambiaEstado(kEstadoRecibiendo);
    emit recibiendo(datos_.size());
}

void Transferencia::redirigida(QNetworkReply *r, const QUrl &relativo)
{
    if (r != respuesta_)
        return;
    const QUrl origen = r->url();
    const QUrl destino = origen.resolved(relativo);
    const QString esquema = destino.scheme().toLower();
    // The same host, by http or https, never from https down to http, and no user name.
    const bool mismoHost = destino.host().compare(direccion_.host(), Qt::CaseInsensitive) == 0;
    const bool esquemaBueno =
        esquema == QStringLiteral("https") ||
        (esquema == QStringLiteral("http") && origen.scheme().toLower() != QStringLiteral("https"));
    if (!destino.isValid() || !mismoHost || !esquemaBueno || !destino.userInfo().isEmpty()) {
        falla(QStringLiteral("redirigida a otro sitio: %1").arg(destino.host()),
              Fallo::Redireccion);
        return;
    }
    // Sent back to an address already asked for: it would go round for ever. (The network
    // layer itself ends such a loop with a bare "100" status and no error.)
    if (visitadas_.contains(destino) || visitadas_.size() > kMaximoRedirecciones) {
        falla(QStringLiteral("demasiadas redirecciones"), Fallo::Bucle);
        return;
    }
    visitadas_.append(destino);
    emit r->redirectAllowed();
}

void Transferencia::termina()
{
    QNetworkReply *r = respuesta_;
    lee(r);
    if (r != respuesta_) // it passed the limit
        return;
    // What the buffer still holds, a bounded piece at a time.
    while (r->bytesAvailable() > 0 && r == respuesta_)
        lee(r);
    if (r != respuesta_)
        return;
    // Failures of the network layer that a status would misname: the status of a redirect loop
    // is that of its last hop, and a stalled transfer has none.
    switch (r->error()) {
    case QNetworkReply::TooManyRedirectsError:
        falla(QStringLiteral("demasiadas redirecciones"), Fallo::Bucle);
        return;
    case QNetworkReply::InsecureRedirectError:
        falla(QStringLiteral("redirigida de https a http"), Fallo::Redireccion);
        return;
    case QNetworkReply::OperationCanceledError: // only the transfer time-out cancels it here
    case QNetworkReply::TimeoutError:
        falla(QStringLiteral("tiempo agotado"), Fallo::Plazo);
        return;
    default:
        break;
    }
    const int http = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A transfer that ends on an interim or a redirect status after following redirects never
    // reached its page: the redirects went round.
    if (visitadas_.size() > 1 && ((http >= 100 && http < 200) || (http >= 300 && http < 400))) {
        falla(QStringLiteral("demasiadas redirecciones"), Fallo::Bucle);
        return;
    }
    // An error page is not the page that was asked for, however long it is. (Qt also reports
    // most error statuses as a network error; the status says more.)
    if (http != 0 && (http < 200 || http >= 300)) {
        codigoHttp_ = http;
        // Seconds only: a throttled service that names a date is waited for as if it had not.
        bool ok = false;
        const int segundos = r->rawHeader("Retry-After").trimmed().toInt(&ok);
        reintentarTras_ = ok && segundos >= 0 ? segundos : -1;
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
    reloj_->stop();
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
