#include "session/ajustes.h"
#include "archive/registro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSettings>
#include <algorithm>
#include <optional>

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

void Ajustes::corrige()
{
    // Written this way round so that NaN fails the test too.
    if (!(precio > 0 && precio <= kPrecioMaximo))
        precio = kPrecioOmision;
    profundidad = std::max(profundidad, kProfundidadMinima);
}

Ajustes Ajustes::lee(const QString &ruta)
{
    QByteArray bytes;
    QFile archivo;
    if (archivos::abreRegular(archivo, ruta) == archivos::Apertura::Abierta)
        bytes = archivo.read(kLongitud);
    bytes.append(QByteArray(kLongitud - bytes.size(), '\0'));
    // The records of earlier versions were created with zeros: a price of 0 would make every
    // syndicate's bets free and its balance a gain.
    Ajustes a = desdeBytes(bytes.constData());
    a.corrige();
    return a;
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

namespace {
// Puts "nombre=valor" at the end of section [grupo] of an INI text, or in a new section at the
// end. Every other byte of the file stays as it was: whatever the user or a tool wrote there.
void anadeClave(QByteArray &texto, const QByteArray &grupo, const QByteArray &nombre,
                const QByteArray &valor)
{
    const QByteArray linea = nombre + '=' + valor + '\n';
    const QByteArray cabecera = '[' + grupo + ']';
    QList<QByteArray> lineas = texto.split('\n');
    qsizetype inicio = -1;
    for (qsizetype i = 0; i < lineas.size() && inicio < 0; ++i)
        if (lineas[i].trimmed() == cabecera)
            inicio = i;
    if (inicio < 0) {
        if (!texto.isEmpty() && !texto.endsWith('\n'))
            texto += '\n';
        texto += cabecera + '\n' + linea;
        return;
    }
    // After the section's last non-blank line, before the next section.
    qsizetype fin = inicio + 1;
    for (qsizetype i = inicio + 1; i < lineas.size(); ++i) {
        if (lineas[i].trimmed().startsWith('['))
            break;
        if (!lineas[i].trimmed().isEmpty())
            fin = i + 1;
    }
    qsizetype posicion = 0;
    for (qsizetype i = 0; i < fin; ++i)
        posicion += lineas[i].size() + 1;
    if (posicion > texto.size()) { // the section ends the file without a final line break
        texto += '\n';
        posicion = texto.size();
    }
    texto.insert(posicion, linea);
}

// Gives "nombre" the value `valor` in section [grupo]: its line is replaced when the section
// has one, otherwise the key is added as anadeClave adds it.
void ponClave(QByteArray &texto, const QByteArray &grupo, const QByteArray &nombre,
              const QByteArray &valor)
{
    const QByteArray cabecera = '[' + grupo + ']';
    QList<QByteArray> lineas = texto.split('\n');
    bool enGrupo = false;
    for (QByteArray &linea : lineas) {
        const QByteArray limpia = linea.trimmed();
        if (limpia.startsWith('[')) {
            enGrupo = limpia == cabecera;
            continue;
        }
        const qsizetype igual = limpia.indexOf('=');
        if (enGrupo && igual > 0 && limpia.left(igual).trimmed() == nombre) {
            // A line ended by CR LF keeps its CR.
            linea = nombre + '=' + valor + (linea.endsWith('\r') ? "\r" : "");
            texto = lineas.join('\n');
            return;
        }
    }
    anadeClave(texto, grupo, nombre, valor);
}

QString rutaIni(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("ajustes.ini"));
}

// Whether ajustes.ini may be read: QSettings would parse a huge file for most of a minute and
// block on a FIFO.
bool iniUsable(const QString &ruta)
{
    const qint64 tamano = archivos::tamano(ruta);
    return !QFileInfo::exists(ruta) || (tamano >= 0 && tamano <= Sitios::kLimiteIni);
}
} // namespace

Preferencias Preferencias::lee(const QString &carpeta)
{
    Preferencias p;
    const QString ruta = rutaIni(carpeta);
    if (!QFileInfo::exists(ruta) || !iniUsable(ruta))
        return p;
    const QSettings ini(ruta, QSettings::IniFormat);
    // Only an explicit "no" turns a choice off: a misspelt value keeps what the program does
    // when nobody chose.
    auto eleccion = [&ini](const char *clave, bool omision) {
        const QString v = ini.value(QLatin1String(clave)).toString().trimmed().toLower();
        if (v == QStringLiteral("0") || v == QStringLiteral("false") || v == QStringLiteral("no"))
            return false;
        if (v == QStringLiteral("1") || v == QStringLiteral("true") ||
            v == QString::fromUtf8("sí") || v == QStringLiteral("si"))
            return true;
        return omision;
    };
    auto dia = [&ini](const char *clave) {
        return QDate::fromString(ini.value(QLatin1String(clave)).toString().trimmed(), Qt::ISODate);
    };
    p.bajarAlAbrir = eleccion("programa/bajaralabrir", true);
    p.avisosEscritorio = eleccion("programa/avisosescritorio", true);
    p.rechazoAvisado = dia("programa/rechazoavisado");
    p.sorteoAvisado = dia("programa/sorteoavisado");
    return p;
}

Escritura Preferencias::escribe(const QString &carpeta) const
{
    const QString ruta = rutaIni(carpeta);
    if (!iniUsable(ruta))
        return Escritura::Fallo;
    QByteArray texto;
    if (QFileInfo::exists(ruta) && !archivos::lee(ruta, Sitios::kLimiteIni, texto))
        return Escritura::Fallo;
    auto dia = [](const QDate &d) {
        return d.isValid() ? d.toString(Qt::ISODate).toLatin1() : QByteArray();
    };
    ponClave(texto, "programa", "bajaralabrir", bajarAlAbrir ? "1" : "0");
    ponClave(texto, "programa", "avisosescritorio", avisosEscritorio ? "1" : "0");
    ponClave(texto, "programa", "rechazoavisado", dia(rechazoAvisado));
    ponClave(texto, "programa", "sorteoavisado", dia(sorteoAvisado));
    return archivos::escribe(ruta, texto);
}

Sitios Sitios::lee(const QString &carpeta, Escritura *escritura)
{
    // QSettings only reads: it saves through QSaveFile without looking at the final flush, which
    // on a full disk would leave an empty file. Missing keys are added to the text by hand and
    // the file is saved like every other one.
    const QString ruta = QDir(carpeta).filePath(QStringLiteral("ajustes.ini"));
    // QSettings parses the whole file however large it is (a 200 MB one holds start-up for most
    // of a minute), and would block on a FIFO. Anything but a regular file of a reasonable
    // size is not read at all: the defaults are used for this run and the file is left alone.
    const qint64 tamanoIni = archivos::tamano(ruta);
    const bool usable = !QFileInfo::exists(ruta) || (tamanoIni >= 0 && tamanoIni <= kLimiteIni);
    std::optional<QSettings> ini;
    if (usable)
        ini.emplace(ruta, QSettings::IniFormat);
    QByteArray texto;
    if (usable)
        archivos::lee(ruta, kLimiteIni, texto);
    bool anadido = false;
    // `enArchivo` is the default as the file must hold it, when it differs (quoted, because
    // QSettings reads ";" as a comment and "," as a list).
    auto valor = [&](const char *grupo, const char *nombre, const char *omision,
                     const char *enArchivo = nullptr) {
        const QString clave = QString::fromLatin1(grupo) + u'/' + QString::fromLatin1(nombre);
        if (ini && ini->contains(clave)) {
            const QVariant v = ini->value(clave);
            return v.typeId() == QMetaType::QStringList
                       ? v.toStringList().join(QStringLiteral(", "))
                       : v.toString();
        }
        anadeClave(texto, grupo, nombre, enArchivo ? enArchivo : omision);
        anadido = true;
        return QString::fromUtf8(omision);
    };
    Sitios s;
    s.operadorSitio = valor("operador", "sitio", "https://www.loteriasyapuestas.es");
    s.operadorSitioPdf = valor("operador", "sitiopdf", "http://www.loteriasyapuestas.es");
    // Anything but the pages means the service: a misspelt value must not stop the download.
    const QString fuente = valor("operador", "fuente", "servicio").trimmed().toLower();
    if (fuente == QStringLiteral("pagina") || fuente == QString::fromUtf8("página"))
        s.fuente = Fuente::Pagina;
    else if (fuente == QStringLiteral("fecha"))
        s.fuente = Fuente::Fecha;
    // The service answers browsers; a program's own name may be turned away.
    s.operadorAgente = valor("operador", "agente",
                             "Mozilla/5.0 (X11; Linux x86_64; rv:128.0) Gecko/20100101 "
                             "Firefox/128.0",
                             "\"Mozilla/5.0 (X11; Linux x86_64; rv:128.0) Gecko/20100101 "
                             "Firefox/128.0\"")
                           .trimmed();
    s.autorWeb = valor("autor", "web", "www.bolarium.es");
    s.autorWebAntigua = valor("autor", "webantigua", "perso.wanadoo.es/bolarium");
    s.autorCorreo = valor("autor", "correo", "soporte@bolarium.es");
    s.lectorPdfDescarga = valor("lectorpdf", "descarga", "https://get.adobe.com/es/reader/");
    // A position off the participation's frame (20..124 mm from its top) keeps the default.
    bool numero = false;
    const double lunes = valor("boletos", "marcalunes", "50").toDouble(&numero);
    if (numero && lunes >= 20 && lunes <= 120)
        s.marcaLunes = lunes;
    // A file QSettings cannot parse is left alone, as QSettings itself would: the defaults are
    // used for this run.
    Escritura r = Escritura::Hecha;
    if (ini && anadido && ini->status() == QSettings::NoError)
        r = archivos::escribe(ruta, texto);
    if (escritura)
        *escritura = r;
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
    const bool escrito = escribir && a.escribe(ruta) == Escritura::Hecha;
    if (reescrito)
        *reescrito = escrito;
    return a;
}
