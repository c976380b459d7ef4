#include "simulacion/sitiosimulado.h"
#include "archive/fechas.h"

#include <QDate>
#include <QDir>
#include <QSettings>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>

namespace {
const QByteArray kPaginaError =
    "<!DOCTYPE html>\n<html><head><title>500 Error interno</title></head><body><h1>Error "
    "interno del servidor</h1><p>El servidor ha encontrado un problema y no puede atender su "
    "petici&oacute;n en este momento. Int&eacute;ntelo de nuevo m&aacute;s tarde.</p></body>"
    "</html>\n";
const QByteArray kPaginaNoEncontrada =
    "<!DOCTYPE html>\n<html><head><title>404 No encontrado</title></head><body><h1>P&aacute;gina "
    "no encontrada</h1><p>La direcci&oacute;n solicitada no existe en este sitio.</p></body>"
    "</html>\n";
const QByteArray kCorto = "<html>Mantenimiento</html>";
constexpr qsizetype kMaxPeticion = 64 * 1024;

QDate fechaCorta(const QString &texto)
{
    return QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
}
const QString kServicio = QStringLiteral("/servicios/buscadorSorteos");
} // namespace

SitioSimulado::SitioSimulado(QObject *parent) : QObject(parent)
{
    connect(&servidor_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = servidor_.nextPendingConnection())
            atiende(s);
    });
}

SitioSimulado::~SitioSimulado()
{
    for (const QPointer<QTcpSocket> &s : std::as_const(mudos_))
        if (s)
            s->abort();
}

bool SitioSimulado::escucha(quint16 puerto)
{
    return servidor_.listen(QHostAddress::LocalHost, puerto);
}

quint16 SitioSimulado::puerto() const
{
    return servidor_.serverPort();
}
QString SitioSimulado::direccion() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(puerto());
}
QString SitioSimulado::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(puerto());
}

int SitioSimulado::peticionesServicio() const
{
    return static_cast<int>(
        std::count_if(peticiones.cbegin(), peticiones.cend(),
                      [](const QString &p) { return p.startsWith(kServicio + u'?'); }));
}

void SitioSimulado::configura(const QString &carpeta, const QString &fuente) const
{
    QSettings ini(QDir(carpeta).filePath(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("operador/sitio"), direccion());
    ini.setValue(QStringLiteral("operador/fuente"), fuente);
    ini.setValue(QStringLiteral("operador/sitiopdf"), direccion());
    ini.setValue(QStringLiteral("autor/web"), host());
    ini.sync();
}

void SitioSimulado::atiende(QTcpSocket *socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        // Only the request line matters; the headers are read up to their blank line.
        QByteArray recibido = socket->property("recibido").toByteArray() + socket->readAll();
        if (recibido.size() > kMaxPeticion) {
            socket->abort();
            return;
        }
        socket->setProperty("recibido", recibido);
        if (!recibido.contains("\r\n\r\n") || socket->property("atendido").toBool())
            return;
        socket->setProperty("atendido", true);
        const QList<QByteArray> linea = recibido.left(recibido.indexOf("\r\n")).split(' ');
        if (linea.size() < 3 || linea[0] != "GET") {
            envia(socket, 405, "text/plain", "GET only\n");
            return;
        }
        const QString destino = QUrl::fromPercentEncoding(linea[1]);
        if (destino.startsWith(kServicio))
            cabecerasServicio = recibido.left(recibido.indexOf("\r\n\r\n"));
        peticiones.append(destino);
        emit peticion(destino);
        responde(socket, QString::fromLatin1(linea[1]));
    });
}

void SitioSimulado::envia(QTcpSocket *socket, int estado, const QByteArray &tipo,
                          const QByteArray &cuerpo)
{
    static const QList<QPair<int, QByteArray>> kRazones = {{200, "OK"},
                                                           {400, "Bad Request"},
                                                           {404, "Not Found"},
                                                           {405, "Method Not Allowed"},
                                                           {500, "Internal Server Error"},
                                                           {503, "Service Unavailable"}};
    QByteArray razon = "OK";
    for (const auto &r : kRazones)
        if (r.first == estado)
            razon = r.second;
    QByteArray respuesta = "HTTP/1.1 " + QByteArray::number(estado) + ' ' + razon +
                           "\r\nContent-Type: " + tipo +
                           "\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                           "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n" + cuerpo;
    socket->write(respuesta);
    socket->disconnectFromHost();
}

void SitioSimulado::responde(QTcpSocket *socket, const QString &bruto)
{
    const QUrl url(bruto);
    const QString ruta = url.path(QUrl::FullyDecoded);
    auto segun = [&](Modo modo, int estado, const QByteArray &tipo, const QByteArray &cuerpo) {
        switch (modo) {
        case Modo::Normal:
            envia(socket, estado, tipo, cuerpo);
            break;
        case Modo::Error:
            envia(socket, codigoError, "text/html; charset=utf-8", kPaginaError);
            break;
        case Modo::Mudo:
            mudos_.append(socket);
            break;
        case Modo::Corto:
            envia(socket, 200, "text/html; charset=utf-8", kCorto);
            break;
        case Modo::Lento:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + tipo +
                          "\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
                          "\r\nConnection: close\r\n\r\n" + cuerpo.left(4096));
            mudos_.append(socket);
            break;
        }
    };
    // The draws of a date range, newest first, as both the search page and the service list them.
    auto entre = [this](const QDate &desde, const QDate &hasta) {
        std::vector<paginas::SorteoWeb> lista;
        for (const paginas::SorteoWeb &w : sorteos) {
            const QDate d = fechas::dia(w.sorteo.fecha);
            if (d >= desde && d <= hasta)
                lista.push_back(w);
        }
        std::sort(lista.begin(), lista.end(),
                  [](const auto &a, const auto &b) { return a.sorteo.fecha > b.sorteo.fecha; });
        return lista;
    };
    auto noEncontrada = [&] {
        envia(socket, 404, "text/html; charset=utf-8", kPaginaNoEncontrada);
    };

    if (ruta == QStringLiteral("/es/buscador")) {
        const QUrlQuery consulta(url);
        const QDate desde = fechaCorta(consulta.queryItemValue(QStringLiteral("startDate")));
        const QDate hasta = fechaCorta(consulta.queryItemValue(QStringLiteral("endDate")));
        if (consulta.queryItemValue(QStringLiteral("gameId")) != QStringLiteral("04") ||
            consulta.queryItemValue(QStringLiteral("type")) != QStringLiteral("search") ||
            !desde.isValid() || !hasta.isValid()) {
            envia(socket, 400, "text/html; charset=utf-8", kPaginaError);
            return;
        }
        const std::vector<paginas::SorteoWeb> lista = entre(desde, hasta);
        segun(busqueda, 200, "text/html; charset=utf-8",
              paginas::busqueda(lista, tamanoBusqueda, agrupados));
        return;
    }
    if (ruta == kServicio) {
        const QUrlQuery consulta(url);
        const QString formato = QStringLiteral("yyyyMMdd");
        const QDate desde = QDate::fromString(
            consulta.queryItemValue(QStringLiteral("fechaInicioInclusiva")), formato);
        const QDate hasta = QDate::fromString(
            consulta.queryItemValue(QStringLiteral("fechaFinInclusiva")), formato);
        if (consulta.queryItemValue(QStringLiteral("game_id")) != QStringLiteral("LAPR") ||
            consulta.queryItemValue(QStringLiteral("celebrados")) != QStringLiteral("true") ||
            !desde.isValid() || !hasta.isValid()) {
            envia(socket, 400, "application/json", "{\"error\": \"parametros no validos\"}\n");
            return;
        }
        const std::vector<paginas::SorteoWeb> lista = entre(desde, hasta);
        segun(resultados, 200, "application/json;charset=UTF-8",
              paginas::servicio(lista, direccion(), servicioMalo, tamanoServicio));
        return;
    }
    const QString prefijo = QStringLiteral("/es/la-primitiva/sorteos/");
    if (ruta.startsWith(prefijo)) {
        const QString enlace = ruta.mid(prefijo.size());
        for (const paginas::SorteoWeb &w : sorteos) {
            if (w.enlace() == enlace) {
                segun(paginaSorteo, 200, "text/html; charset=utf-8",
                      paginas::sorteo(w, tamanoSorteo));
                return;
            }
        }
        noEncontrada();
        return;
    }
    if (ruta.endsWith(QStringLiteral(".pdf"))) {
        for (const paginas::SorteoWeb &w : sorteos) {
            if (w.conPdf && w.rutaPdf() == ruta) {
                const QDate d = fechas::dia(w.sorteo.fecha);
                segun(documento, 200, "application/pdf",
                      paginas::pdf(QStringLiteral("La Primitiva - Sorteo del ") +
                                   d.toString(QStringLiteral("dd/MM/yyyy"))));
                return;
            }
        }
        noEncontrada();
        return;
    }
    if (ruta == QStringLiteral("/informe.dat") && !informe.isEmpty()) {
        segun(mensaje, 200, "text/plain", informe);
        return;
    }
    noEncontrada();
}
