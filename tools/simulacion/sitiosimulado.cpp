#include "simulacion/sitiosimulado.h"
#include "archive/fechas.h"

#include <QDate>
#include <QDir>
#include <QSettings>
#include <QTcpSocket>
#include <QTime>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>

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
// What the operator's front end answers a client that asks too often.
const QByteArray kPaginaLimitada =
    "<!DOCTYPE html>\n<html><head><title>406 Not Acceptable</title></head><body><h1>Not "
    "Acceptable</h1><p>An appropriate representation of the requested resource could not be "
    "found on this server.</p></body></html>\n";
constexpr qsizetype kMaxPeticion = 64 * 1024;

QDate fechaCorta(const QString &texto)
{
    return QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
}
const QString kServicio = QStringLiteral("/servicios/buscadorSorteos");
const QString kServicioFecha = QStringLiteral("/servicios/fechav3");

bool esServicio(const QString &destino)
{
    return destino.startsWith(kServicio + u'?') || destino.startsWith(kServicioFecha + u'?');
}

// The page a CDN sends when it refuses a client, with the address asked for written as
// character references the way it writes it.
QByteArray accesoDenegado(const QString &direccion)
{
    QByteArray referida;
    for (const char c : direccion.toUtf8()) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            referida += c;
        else
            referida += "&#" + QByteArray::number(static_cast<unsigned char>(c)) + ';';
    }
    return "<HTML><HEAD>\n<TITLE>Access Denied</TITLE>\n</HEAD><BODY>\n<H1>Access Denied</H1>\n"
           " \nYou don't have permission to access \"" +
           referida +
           "\" on this server.<P>\nReference&#32;&#35;18&#46;2f1e4b17&#46;1712345678&#46;"
           "9a3c0d2\n</BODY>\n</HTML>\n";
}

// A made-up draw for a day, the same on every run: six distinct numbers 1..49 in ascending
// order, a complementary number that is none of them, a refund 0..9 and a Joker of seven
// digits.
Sorteo inventado(const QDate &dia)
{
    quint32 estado = static_cast<quint32>(dia.toJulianDay()) * 2654435761u + 12345u;
    auto azar = [&estado](int n) {
        estado = estado * 1664525u + 1013904223u;
        return static_cast<int>((estado >> 8) % static_cast<quint32>(n));
    };
    std::array<qint16, 49> bombo{};
    std::iota(bombo.begin(), bombo.end(), qint16(1));
    for (int i = 0; i < 7; ++i)
        std::swap(bombo[static_cast<size_t>(i)], bombo[static_cast<size_t>(i + azar(49 - i))]);
    Sorteo s;
    std::copy_n(bombo.begin(), 6, s.numeros.begin());
    std::sort(s.numeros.begin(), s.numeros.end());
    s.complementario = bombo[6];
    s.reintegro = static_cast<qint16>(azar(10));
    s.joker = 1 + azar(9999999);
    s.fecha = fechas::serial(dia);
    return s;
}
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
    return static_cast<int>(std::count_if(peticiones.cbegin(), peticiones.cend(), esServicio));
}

int SitioSimulado::continua(const QDate &hasta, const QDate &desde)
{
    double ultimo = 0;
    for (const paginas::SorteoWeb &w : sorteos)
        ultimo = std::max(ultimo, w.sorteo.fecha);
    int nuevos = 0;
    for (QDate dia = ultimo != 0 ? fechas::dia(ultimo).addDays(1) : desde;
         dia.isValid() && dia <= hasta; dia = dia.addDays(1)) {
        const double serial = fechas::serial(dia);
        if (fechas::bitDia(serial) & fechas::diasDeSorteo(serial)) {
            sorteos.push_back({inventado(dia)});
            ++nuevos;
        }
    }
    return nuevos;
}

std::vector<paginas::SorteoWeb> SitioSimulado::listaServicio(const QDate &desde, const QDate &hasta,
                                                             bool responde)
{
    const QDate hoy = ahora.date();
    const bool sinResultado = ahora.isValid() && ahora.time() < QTime(22, 0);
    std::vector<paginas::SorteoWeb> lista;
    for (paginas::SorteoWeb &w : sorteos) {
        const QDate d = fechas::dia(w.sorteo.fecha);
        if (d < desde || d > hasta || (hoy.isValid() && d > hoy))
            continue;
        lista.push_back(w);
        if (d == hoy && sinResultado)
            lista.back().publicado = false;
        else if (responde && w.publicado && w.desgloseTardio > 0)
            --w.desgloseTardio; // the copy in this answer still has no breakdown
    }
    std::sort(lista.begin(), lista.end(),
              [](const auto &a, const auto &b) { return a.sorteo.fecha > b.sorteo.fecha; });
    return lista;
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
        if (esServicio(destino))
            cabecerasServicio = recibido.left(recibido.indexOf("\r\n\r\n"));
        peticiones.append(destino);
        emit peticion(destino);
        responde(socket, QString::fromLatin1(linea[1]));
    });
}

void SitioSimulado::envia(QTcpSocket *socket, int estado, const QByteArray &tipo,
                          const QByteArray &cuerpo, const QByteArray &cabeceras)
{
    static const QList<QPair<int, QByteArray>> kRazones = {{200, "OK"},
                                                           {400, "Bad Request"},
                                                           {403, "Forbidden"},
                                                           {404, "Not Found"},
                                                           {405, "Method Not Allowed"},
                                                           {406, "Not Acceptable"},
                                                           {429, "Too Many Requests"},
                                                           {500, "Internal Server Error"},
                                                           {502, "Bad Gateway"},
                                                           {503, "Service Unavailable"},
                                                           {504, "Gateway Timeout"}};
    QByteArray razon = "OK";
    for (const auto &r : kRazones)
        if (r.first == estado)
            razon = r.second;
    QByteArray respuesta =
        "HTTP/1.1 " + QByteArray::number(estado) + ' ' + razon + "\r\nContent-Type: " + tipo +
        "\r\nContent-Length: " + QByteArray::number(cuerpo.size()) + "\r\n" + cabeceras +
        "Cache-Control: no-cache\r\nConnection: close\r\n\r\n" + cuerpo;
    socket->write(respuesta);
    socket->disconnectFromHost();
}

void SitioSimulado::responde(QTcpSocket *socket, const QString &bruto)
{
    const QUrl url(bruto);
    const QString ruta = url.path(QUrl::FullyDecoded);
    const QByteArray reintento = reintentarTras > 0
                                     ? "Retry-After: " + QByteArray::number(reintentarTras) + "\r\n"
                                     : QByteArray();
    auto segun = [&](Modo modo, int estado, const QByteArray &tipo, const QByteArray &cuerpo) {
        switch (modo) {
        case Modo::Normal:
            envia(socket, estado, tipo, cuerpo);
            break;
        case Modo::Error:
            if (codigoError == 403)
                envia(socket, 403, "text/html", accesoDenegado(direccion() + bruto));
            else
                envia(socket, codigoError, "text/html; charset=utf-8", kPaginaError,
                      codigoError == 429 || codigoError == 503 ? reintento : QByteArray());
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
    // The draws of a date range, newest first, as the search page lists them.
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
    // The results service: the draws of a range, or those of one date, in the same shape.
    if (ruta == kServicio || ruta == kServicioFecha) {
        if (limitaciones > 0) {
            --limitaciones;
            envia(socket, 406, "text/html; charset=utf-8", kPaginaLimitada, reintento);
            return;
        }
        const QUrlQuery consulta(url);
        auto fecha = [&consulta](const QString &campo) {
            return QDate::fromString(consulta.queryItemValue(campo), QStringLiteral("yyyyMMdd"));
        };
        QDate desde;
        QDate hasta;
        bool valida = consulta.queryItemValue(QStringLiteral("game_id")) == QStringLiteral("LAPR");
        if (ruta == kServicio) {
            desde = fecha(QStringLiteral("fechaInicioInclusiva"));
            hasta = fecha(QStringLiteral("fechaFinInclusiva"));
            valida = valida && consulta.queryItemValue(QStringLiteral("celebrados")) ==
                                   QStringLiteral("true");
        } else {
            desde = hasta = fecha(QStringLiteral("fecha_sorteo"));
        }
        if (!valida || !desde.isValid() || !hasta.isValid()) {
            envia(socket, 400, "application/json", "{\"error\": \"parametros no validos\"}\n");
            return;
        }
        // Only an answer that is sent whole lists its draws, and only that one counts down
        // their late breakdowns.
        const std::vector<paginas::SorteoWeb> lista =
            listaServicio(desde, hasta, resultados == Modo::Normal);
        segun(resultados, 200, "application/json;charset=UTF-8",
              paginas::servicio(lista, pdfEnServicio ? direccion() : QString(), servicioMalo,
                                tamanoServicio));
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
