#include "web/descarga.h"
#include "archive/escritura.h"
#include "archive/texto.h"
#include "web/direcciones.h"
#include "web/pagina.h"
#include "web/servicio.h"

#include <QDir>
#include <QFile>

namespace {
// The search page answers with more than this when it is a real page.
constexpr qint64 kRespuestaMinima = 100;
constexpr int kTicksSinRespuesta = 5;
constexpr int kTicksLento = 30;
} // namespace

QString Descarga::conectando()
{
    return QStringLiteral("CONECTANDO AL SERVIDOR");
}
QString Descarga::buscando()
{
    return QStringLiteral("BUSCANDO SORTEOS");
}
QString Descarga::analizando()
{
    return QStringLiteral("ANALIZANDO DATOS");
}
QString Descarga::finalizada()
{
    return QStringLiteral("TRANSFERENCIA FINALIZADA");
}
QString Descarga::datosNoValidos()
{
    return QString::fromUtf8("DATOS NO VÁLIDOS");
}

QString Descarga::noGuardados()
{
    return QStringLiteral("SORTEOS NO GUARDADOS");
}

QString Descarga::esperando()
{
    return QStringLiteral("ESPERANDO AL SERVIDOR");
}

QString Descarga::textoAviso(Aviso aviso)
{
    switch (aviso) {
    case Aviso::NoConectado:
        return QString::fromUtf8(
            "No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya "
            "que no es posible conectar con el servidor de ONLAE.");
    case Aviso::Tarda:
        return QString::fromUtf8(
            "Problemas con el servidor. Tarda en responder. Pruebe más tarde...");
    }
    return {};
}

QString Descarga::tituloAviso(Aviso)
{
    return QString::fromUtf8("Error de conexión");
}

QString Descarga::textoFallo(const Transferencia &t, const QString &host)
{
    switch (t.fallo()) {
    case Transferencia::Fallo::Plazo:
        return u("Se ha agotado el tiempo de espera: el servidor de %1 ha dejado de enviar los "
                 "datos o tarda demasiado en enviarlos. Pruebe más tarde.")
            .arg(host);
    case Transferencia::Fallo::Redireccion: {
        const QString destino = t.error().section(QStringLiteral(": "), 1);
        return u("El servidor de %1 ha desviado la descarga a otro sitio%2, y el programa sólo "
                 "descarga del sitio del operador. Pruebe más tarde; si se repite, puede que "
                 "la dirección del servidor haya cambiado.")
            .arg(host, destino.isEmpty() ? QString() : u(" (%1)").arg(destino));
    }
    case Transferencia::Fallo::Bucle:
        return u("El servidor de %1 redirige la descarga una y otra vez sin llegar a enviar los "
                 "datos. Pruebe más tarde.")
            .arg(host);
    default:
        return {};
    }
}

QString Descarga::textoSinRespuesta(const QString &host, int segundos)
{
    return u("El servidor de %1 ha recibido la petición, pero no ha respondido en %2 segundos. "
             "La conexión a internet funciona; pruebe más tarde.")
        .arg(host)
        .arg(segundos);
}

QString Descarga::causaFallo() const
{
    const QString host = Inet1.direccion().host();
    return textoFallo(Inet1, host.isEmpty() ? sitio_ : host);
}

QString Descarga::causaSinRespuesta() const
{
    // A short answer that came is no silence: it keeps the message it always had.
    if (!Inet1.ocupada() || !Inet1.enviada())
        return {};
    const QString host = Inet1.direccion().host();
    return textoSinRespuesta(host.isEmpty() ? sitio_ : host, kTicksSinRespuesta);
}

Descarga::Descarga(QString carpeta, Ventana &ventana, QObject *parent)
    : QObject(parent), carpeta_(std::move(carpeta)), ventana_(ventana)
{
    Inet1.setObjectName(QStringLiteral("Inet1"));
    Inet2.setObjectName(QStringLiteral("Inet2"));
    connect(&Inet1, &Transferencia::cambiaEstado, this, [this](int e) { estadoinet = e; });
    connect(&Inet1, &Transferencia::recibiendo, this, &Descarga::primeraRecibiendo);
    connect(&Inet1, &Transferencia::terminada, this, &Descarga::primeraTerminada);
    connect(&Inet2, &Transferencia::terminada, this, &Descarga::segundaTerminada);
}

void Descarga::empieza(const QUrl &busqueda, const QString &sitio)
{
    Inet2.cancela();
    respuestas_ = false;
    maximo_ = 5;
    sitio_ = sitio;
    texto.clear();
    bytesPrimera_ = 0;
    bytesAnteriores_ = 0;
    // A new download counts its own bytes, not the previous one's.
    ponBytes(0, true);
    segundosdescarga = 0;
    pasodescarga = 2;
    activa_ = true;
    ponProgreso(1);
    ventana_.primeraPestana();
    ponEstado(conectando());
    ventana_.temporizador(true);
    Inet1.pide(busqueda);
}

void Descarga::empiezaRespuestas(std::vector<Fuente::Peticion> peticiones, qint64 limite,
                                 const QString &host)
{
    Inet2.cancela();
    respuestas_ = true;
    peticiones_ = std::move(peticiones);
    siguiente_ = 0;
    limite_ = limite;
    host_ = host;
    maximo_ = static_cast<int>(peticiones_.size()) + 4;
    texto.clear();
    bytesPrimera_ = 0;
    bytesAnteriores_ = 0;
    ponBytes(0, true);
    activa_ = true;
    ventana_.primeraPestana();
    ventana_.temporizador(true);
    reintentos_ = 0;
    pide();
}

void Descarga::pide()
{
    // Every request gets the same time as the first: the counters start again.
    segundosdescarga = 0;
    pasodescarga = 2;
    ponProgreso(static_cast<int>(siguiente_) + 1);
    ponEstado(conectando());
    const Fuente::Peticion &p = peticiones_[siguiente_++];
    Inet1.pide(p.direccion, limite_, p.cabeceras);
}

bool Descarga::esperaYReintenta()
{
    if (reintentos_ >= kReintentos)
        return false;
    const int pedida = Inet1.reintentarTras();
    if (pedida > kEsperaMaxima)
        return false;
    espera_ = pedida >= 0 ? std::max(pedida, 1) : 2 << reintentos_;
    ++reintentos_;
    --siguiente_; // the same request again
    segundosdescarga = 0;
    pasodescarga = 4;
    ponEstado(esperando());
    return true;
}

void Descarga::primeraRecibiendo(qint64 bytes)
{
    if (!activa_ || pasodescarga != 2)
        return;
    ponBytes(bytesAnteriores_ + bytes);
    if (bytes > kRespuestaMinima)
        ponEstado(buscando());
}

void Descarga::primeraTerminada(bool bien)
{
    if (!activa_ || pasodescarga != 2)
        return;
    if (!bien && respuestas_) {
        switch (Inet1.fallo()) {
        case Transferencia::Fallo::Http: {
            const int codigo = Inet1.codigoHttp();
            if (codigo == 406 || codigo == 429) {
                if (!esperaYReintenta())
                    falla(servicio::textoLimitado(host_, codigo, kReintentos),
                          tituloAviso(Aviso::NoConectado));
                return;
            }
            if (codigo == 403) {
                ventana_.rechazada(codigo);
                falla(QString(), QString());
                return;
            }
            falla(servicio::textoHttp(host_, codigo), tituloAviso(Aviso::NoConectado));
            return;
        }
        case Transferencia::Fallo::Grande:
            falla(servicio::textoGrande(host_), servicio::tituloNoValido());
            return;
        default: {
            const QString causa = causaFallo();
            falla(causa.isEmpty() ? textoAviso(Aviso::NoConectado) : causa,
                  tituloAviso(Aviso::NoConectado));
            return;
        }
        }
    }
    if (!bien) {
        // The site could not be reached or answered with an error: never a page to parse.
        if (const QString causa = causaFallo(); !causa.isEmpty())
            abandona(causa);
        else
            abandona(Aviso::NoConectado);
        return;
    }
    texto = Inet1.datos();
    if (respuestas_) {
        // An answer of a few bytes ("[]": nothing held in those days) is an answer all the same.
        bytesAnteriores_ += texto.size();
        ponBytes(bytesAnteriores_);
        ponEstado(buscando());
        pasodescarga = 3;
        return;
    }
    bytesPrimera_ = texto.size();
    ponBytes(texto.size());
    if (texto.size() > kRespuestaMinima)
        ponEstado(buscando());
    pasodescarga = 3;
}

void Descarga::segundaTerminada(bool bien)
{
    if (!activa_ || pasodescarga != 6)
        return;
    // A draw page that does not come leaves the search page in its place, as when there is
    // no link to follow; the prize breakdown then says the data is not there yet.
    if (!bien)
        return;
    texto = Inet2.datos();
    ponBytes(bytesPrimera_ + texto.size(), true);
}

void Descarga::abandona(Aviso aviso)
{
    Inet1.cancela();
    activa_ = false;
    ventana_.avisa(aviso);
    ventana_.temporizador(false);
    ponProgreso(0);
    ponEstado(QString());
}

void Descarga::abandona(const QString &texto)
{
    Inet1.cancela();
    activa_ = false;
    ventana_.avisaFallo(texto, tituloAviso(Aviso::NoConectado));
    ventana_.temporizador(false);
    ponProgreso(0);
    ponEstado(QString());
}

void Descarga::falla(const QString &texto, const QString &titulo)
{
    Inet1.cancela();
    // The draws of the answers already read are in the archive: they are checked as after any
    // download. Without any, the download ends as a failed page download does.
    if (ventana_.nuevos() > 0) {
        if (!texto.isEmpty())
            ventana_.avisaFallo(texto, titulo);
        cierraRespuestas();
        return;
    }
    activa_ = false;
    if (!texto.isEmpty())
        ventana_.avisaFallo(texto, titulo);
    ventana_.temporizador(false);
    ponProgreso(0);
    ponEstado(ventana_.sinGuardar() ? noGuardados() : QString());
}

void Descarga::cierraRespuestas()
{
    ponProgreso(maximo_ - 3);
    ventana_.temporizador(false);
    activa_ = false;
    ponBytes(bytesAnteriores_, true);
    texto.clear();
    ventana_.cierraRespuestas();
    // Draws stored by earlier answers are checked even when a later one could not be stored.
    if (!ventana_.errordatos())
        ventana_.postproceso();
    const QString nota = ventana_.notaFinal();
    ponEstado(ventana_.sinGuardar()
                  ? noGuardados()
                  : finalizada() + (nota.isEmpty() ? QString() : QStringLiteral(" · ") + nota));
    ventana_.primeraPestana();
    ponProgreso(maximo_);
}

void Descarga::pasoRespuestas()
{
    if (pasodescarga == 4) {
        if (segundosdescarga >= espera_)
            pide();
        return;
    }
    if (pasodescarga != 3 || Inet1.estado() != Transferencia::Estado::Hecha)
        return;
    segundosdescarga = 0;
    pasodescarga = 5;
    ponEstado(analizando());
    const bool sigue = ventana_.leeRespuesta(texto);
    if (!activa_)
        return;
    if (!sigue) {
        falla(QString(), QString());
    } else if (siguiente_ < peticiones_.size()) {
        reintentos_ = 0;
        pide();
    } else {
        cierraRespuestas();
    }
}

void Descarga::detiene()
{
    Inet1.cancela();
    activa_ = false;
    ventana_.temporizador(false);
    ponProgreso(0);
    ponEstado(QString());
}

void Descarga::ponEstado(const QString &texto)
{
    estado_ = texto;
    emit estadoCambiado(texto);
}

void Descarga::ponBytes(qint64 bytes, bool conUnidad)
{
    bytes_ = QString::number(bytes);
    if (conUnidad)
        bytes_ += QStringLiteral(" Bytes");
    emit bytesCambiados(bytes_);
}

void Descarga::ponProgreso(int valor)
{
    progreso_ = valor;
    emit progresoCambiado(valor);
}

void Descarga::guarda(const QString &archivo, const QByteArray &contenido) const
{
    // A failed write is not fatal: the page is parsed from memory all the same. But the page of
    // an earlier download left in its place would show that draw's prizes as this one's.
    const QString ruta = QDir(carpeta_).filePath(archivo);
    if (archivos::escribe(ruta, Pagina::enmarca(contenido)) != Escritura::Hecha)
        QFile::remove(ruta);
}

void Descarga::tick()
{
    // A message box shown by a step runs its own event loop, where the timer keeps firing:
    // those ticks must not start the next steps underneath it.
    if (!activa_ || enTick_)
        return;
    enTick_ = true;
    paso();
    enTick_ = false;
}

void Descarga::paso()
{
    ++segundosdescarga;

    if (segundosdescarga == kTicksSinRespuesta && estado_ == conectando()) {
        // A server that took the request and stays silent is slow, not out of reach.
        const QString causa = causaSinRespuesta();
        if (respuestas_)
            falla(causa.isEmpty() ? textoAviso(Aviso::NoConectado) : causa,
                  tituloAviso(Aviso::NoConectado));
        else if (!causa.isEmpty())
            abandona(causa);
        else
            abandona(Aviso::NoConectado);
        return;
    }
    // The pages: the first page not parsed yet; a source: the answer asked for not here yet.
    if (segundosdescarga == kTicksLento && (respuestas_ ? pasodescarga == 2 : progreso_ == 1)) {
        if (respuestas_)
            falla(textoAviso(Aviso::Tarda), tituloAviso(Aviso::Tarda));
        else
            abandona(Aviso::Tarda);
        return;
    }
    if (respuestas_) {
        pasoRespuestas();
        return;
    }

    if (pasodescarga == 3 && Inet1.estado() == Transferencia::Estado::Hecha) {
        segundosdescarga = 0;
        ponProgreso(2);
        pasodescarga = 5;
        guarda(QStringLiteral("www.txt"), texto);
        ponEstado(analizando());
        ventana_.analizasorteos(Pagina::enmarca(texto));
        if (!activa_)
            return;
    }

    if (pasodescarga == 5 && estadoinet != Transferencia::kEstadoError) {
        pasodescarga = 6;
        const QString enlace = ventana_.enlacesorteo();
        if (!enlace.isEmpty()) {
            Inet2.pide(direcciones::sorteo(sitio_, enlace));
            segundosdescarga = 0;
        }
    }
    // A draw page that trickles in would hold the checking of the draws already appended for
    // as long as the site likes: it gets the same time as the first page, and then the
    // download goes on without it.
    if (pasodescarga == 6 && Inet2.ocupada() && segundosdescarga >= kTicksLento)
        Inet2.cancela();
    if (pasodescarga == 6 && !Inet2.ocupada())
        pasodescarga = 7;
    if (pasodescarga != 7)
        return;

    ponProgreso(2);
    ventana_.temporizador(false);
    activa_ = false;
    guarda(QStringLiteral("www2.txt"), texto);
    texto.clear();
    // Data that could not be read, or draws that could not be stored, is no finished transfer:
    // the status says what happened.
    if (ventana_.errordatos() || ventana_.sinGuardar()) {
        ponEstado(ventana_.sinGuardar() ? noGuardados() : datosNoValidos());
        ponProgreso(0);
        ventana_.primeraPestana();
        return;
    }
    ventana_.postproceso();
    ponEstado(finalizada());
    ventana_.primeraPestana();
    ponProgreso(5);
}
