#include "app/ajustes.h"
#include "archive/registro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

Ajustes Ajustes::desdeBytes(const char *datos)
{
    using namespace registro;
    Ajustes a;
    a.reservado1 = leeInt16(datos);
    a.desplazaX = leeFloat(datos + 2);
    a.desplazaY = leeFloat(datos + 6);
    a.reservado2 = leeInt16(datos + 10);
    a.precio = leeFloat(datos + 12);
    a.profundidad = leeInt16(datos + 16);
    a.web = QByteArray(datos + 18, kAnchoWeb);
    return a;
}

QByteArray Ajustes::aBytes() const
{
    using namespace registro;
    QByteArray bytes(kLongitud, '\0');
    char *d = bytes.data();
    escribeInt16(d, reservado1);
    escribeFloat(d + 2, desplazaX);
    escribeFloat(d + 6, desplazaY);
    escribeInt16(d + 10, reservado2);
    escribeFloat(d + 12, precio);
    escribeInt16(d + 16, profundidad);
    const QByteArray w = web.leftJustified(kAnchoWeb, ' ', true);
    std::memcpy(d + 18, w.constData(), kAnchoWeb);
    return bytes;
}

QString Ajustes::webTexto() const
{
    return registro::desde1252(web).trimmed();
}
void Ajustes::ponWeb(const QString &host)
{
    web = registro::campo1252(host, kAnchoWeb);
}

Ajustes Ajustes::lee(const QString &ruta)
{
    QByteArray bytes;
    QFile archivo(ruta);
    if (archivo.open(QIODevice::ReadOnly))
        bytes = archivo.read(kLongitud);
    bytes.append(QByteArray(kLongitud - bytes.size(), '\0'));
    return desdeBytes(bytes.constData());
}

Escritura Ajustes::escribe(const QString &ruta) const
{
    // The file may hold more than one record; only record 1 is ours to replace.
    QByteArray todo;
    archivos::lee(ruta, 1 << 20, todo);
    const QByteArray nuevo = aBytes();
    if (todo.size() <= kLongitud)
        todo = nuevo;
    else
        todo.replace(0, kLongitud, nuevo);
    return archivos::escribe(ruta, todo);
}

Sitios Sitios::lee(const QString &carpeta)
{
    QSettings ini(QDir(carpeta).filePath(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
    auto valor = [&ini](const char *clave, const char *omision) {
        const QString k = QString::fromLatin1(clave);
        if (!ini.contains(k))
            ini.setValue(k, QString::fromUtf8(omision));
        return ini.value(k).toString();
    };
    Sitios s;
    s.operadorSitio = valor("operador/sitio", "https://www.loteriasyapuestas.es");
    s.operadorSitioPdf = valor("operador/sitiopdf", "http://www.loteriasyapuestas.es");
    s.autorWeb = valor("autor/web", "www.bolarium.es");
    s.autorWebAntigua = valor("autor/webantigua", "perso.wanadoo.es/bolarium");
    s.autorCorreo = valor("autor/correo", "soporte@bolarium.es");
    s.lectorPdfDescarga = valor("lectorpdf/descarga", "https://get.adobe.com/es/reader/");
    ini.sync();
    return s;
}

Ajustes leeajustes(const QString &carpeta, const Sitios &sitios, bool *reescrito)
{
    const QString ruta = QDir(carpeta).filePath(QStringLiteral("nums.ini"));
    bool escribir = false;
    Ajustes a;
    if (!QFileInfo::exists(ruta)) {
        a.ponWeb(sitios.autorWeb);
        escribir = true;
    } else {
        a = Ajustes::lee(ruta);
        // A field with no blank at all (all zero bytes, say) holds no usable address.
        if (a.web.front() != ' ' && a.web.back() != ' ') {
            a.ponWeb(sitios.autorWeb);
            escribir = true;
        }
        if (a.webTexto() == sitios.autorWebAntigua) {
            a.ponWeb(sitios.autorWeb);
            escribir = true;
        }
    }
    if (escribir)
        a.escribe(ruta);
    if (reescrito)
        *reescrito = escribir;
    return a;
}
