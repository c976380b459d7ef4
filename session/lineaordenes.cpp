#include "session/lineaordenes.h"
#include "archive/conversion.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/texto.h"
#include "reports/ganancias.h"
#include "reports/premiados.h"
#include "session/bajada.h"
#include "session/carpetadatos.h"
#include "session/cuentas.h"
#include "session/instancia.h"
#include "session/sesion.h"
#include "session/version.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <bit>
#include <cmath>

namespace lineaordenes {

namespace {

const QString kComprobar = QStringLiteral("--comprobar");
const QString kSinDescarga = QStringLiteral("--sin-descarga");
const QString kCarpeta = QStringLiteral("--carpeta");
const QString kAyuda = QStringLiteral("--ayuda");

// The options the graphical toolkit reads itself, which it also takes with two dashes: they
// still open the window.
bool deLaInterfaz(const QString &argumento)
{
    static const QStringList kPropias = {
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
        QStringLiteral("qwindowicon"),     QStringLiteral("reverse"),
        QStringLiteral("session"),         QStringLiteral("style"),
        QStringLiteral("stylesheet"),      QStringLiteral("widgetcount"),
        QStringLiteral("display"),         QStringLiteral("geometry"),
        QStringLiteral("qmljsdebugger")};
    const QString nombre = argumento.mid(2).section(QLatin1Char('='), 0, 0);
    return kPropias.contains(nombre);
}

struct Orden {
    bool ayuda = false;
    bool comprobar = false;
    bool sinDescarga = false;
    bool conCarpeta = false;
    QString carpeta;
    QString error; // what makes no sense in the options, empty when nothing
};

Orden interpreta(const QStringList &argumentos)
{
    Orden o;
    for (qsizetype i = 0; i < argumentos.size() && o.error.isEmpty(); ++i) {
        const QString &a = argumentos[i];
        if (a == kAyuda || a == QStringLiteral("-h") || a == QStringLiteral("--help")) {
            o.ayuda = true;
        } else if (a == kComprobar) {
            o.comprobar = true;
        } else if (a == kSinDescarga) {
            o.sinDescarga = true;
        } else if (a == kCarpeta || a.startsWith(kCarpeta + QLatin1Char('='))) {
            o.conCarpeta = true;
            if (a == kCarpeta) {
                if (i + 1 >= argumentos.size() || argumentos[i + 1].isEmpty()) {
                    o.error = u("Falta la carpeta de datos después de --carpeta.");
                    break;
                }
                o.carpeta = argumentos[++i];
            } else {
                o.carpeta = a.mid(kCarpeta.size() + 1);
                if (o.carpeta.isEmpty())
                    o.error = u("Falta la carpeta de datos después de --carpeta=.");
            }
        } else {
            o.error = u("Opción desconocida: %1.").arg(a);
        }
    }
    if (o.error.isEmpty() && !o.ayuda && !o.comprobar)
        o.error = u("Las opciones --sin-descarga y --carpeta sólo valen con --comprobar.");
    return o;
}

// "jueves 13/08/2026"
QString dia(double fecha)
{
    return diasemana(fecha).toLower() + QLatin1Char(' ') + fechas::textoCorto(fecha);
}

qint64 clave(double fecha)
{
    return static_cast<qint64>(std::floor(fecha));
}

// The most numbers any bet of the syndicate hit in the draw, as its row in the results lists
// shows them: a multiple's numbers all together.
int aciertos(const Pena &pena, const Sorteo &sorteo)
{
    quint64 ganadores = 0;
    for (const qint16 n : sorteo.numeros)
        if (n >= 1 && n <= 49)
            ganadores |= quint64(1) << n;
    if (pena.esMultiple())
        return std::popcount(pena.mascara(1, cuantos(pena.tipo)) & ganadores);
    int mas = 0;
    for (int k = 1; k <= pena.tipo; ++k)
        mas = std::max(mas, std::popcount(pena.mascara(k, 6) & ganadores));
    return mas;
}

// Writes the notes of a download: what went wrong, and what the user should know.
void cuenta(const std::vector<NotaBajada> &notas, QTextStream &errores)
{
    const QString nada = bajada::sinNovedades().texto; // the summary says it already
    for (const NotaBajada &n : notas)
        if (n.texto != nada)
            errores << n.titulo << ": "
                    << QString(n.texto).replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                    << '\n';
}

// Counters of a pass that apuestas.dat refused: the prizes stay uncounted there and the next
// pass counts them again.
bool contadoresGuardados(const Sesion &sesion, QTextStream &errores)
{
    for (int lista = 0; lista < 2; ++lista) {
        const Escritura e = sesion.escrituraContadores(lista);
        if (e == Escritura::Hecha)
            continue;
        errores << u("Contadores no guardados: no se han podido guardar los contadores de "
                     "premios en %1. %2 Se contarán la próxima vez.")
                       .arg(QDir::toNativeSeparators(sesion.ruta(QStringLiteral("apuestas.dat"))),
                            e == Escritura::SinPermiso
                                ? u("No hay permiso para escribir en la carpeta o en el archivo.")
                                : u("Puede que el disco esté lleno."))
                << '\n';
        return false;
    }
    return true;
}

} // namespace

bool pedida(const QStringList &argumentos)
{
    for (const QString &a : argumentos) {
        if (a == kComprobar || a == kSinDescarga || a == kAyuda || a == kCarpeta ||
            a.startsWith(kCarpeta + QLatin1Char('=')) || a == QStringLiteral("-h") ||
            a == QStringLiteral("--help"))
            return true;
        if (a.startsWith(QStringLiteral("--")) && !deLaInterfaz(a))
            return true;
    }
    return false;
}

Entorno entornoReal()
{
    return {[] { return juego::ahora(); },
            [](QString *aviso) { return carpetadatos::actual(aviso); }};
}

QString ayuda()
{
    return u("Uso: bolarium [--comprobar [--sin-descarga] [--carpeta CARPETA]] [--ayuda]\n"
             "\n"
             "Sin opciones abre la ventana del programa.\n"
             "\n"
             "  --comprobar         Sin abrir ninguna ventana: baja los sorteos nuevos de la\n"
             "                      fuente configurada, los guarda, comprueba las peñas y\n"
             "                      escribe un resumen por peña: aciertos y euros de cada\n"
             "                      sorteo nuevo, \"(provisional)\" o \"importe pendiente\"\n"
             "                      mientras no se conoce algún importe.\n"
             "  --sin-descarga      Con --comprobar: no baja nada, sólo comprueba las peñas\n"
             "                      con el sorteo más reciente del archivo.\n"
             "  --carpeta CARPETA   Con --comprobar: usa esa carpeta de datos en lugar de la\n"
             "                      del programa.\n"
             "  --ayuda             Muestra esta ayuda.\n"
             "\n"
             "Códigos de salida de --comprobar:\n"
             "  0  todo ha ido bien (también si no había sorteos nuevos)\n"
             "  1  la descarga o la escritura de un archivo ha fallado (el motivo sale por la\n"
             "     salida de errores), o el programa está abierto con la misma carpeta\n"
             "  2  las opciones no son válidas\n");
}

int ejecuta(const QStringList &argumentos, const Entorno &entorno, QTextStream &salida,
            QTextStream &errores)
{
    const Orden orden = interpreta(argumentos);
    if (!orden.error.isEmpty()) {
        errores << orden.error << '\n'
                << u("Escriba «bolarium --ayuda» para ver las opciones.") << '\n';
        errores.flush();
        return kUso;
    }
    if (orden.ayuda) {
        salida << ayuda();
        salida.flush();
        return kBien;
    }

    QString carpeta;
    if (orden.conCarpeta) {
        if (!QFileInfo(orden.carpeta).isDir()) {
            errores << u("La carpeta de datos %1 no existe o no es una carpeta.")
                           .arg(QDir::toNativeSeparators(orden.carpeta))
                    << '\n';
            errores.flush();
            return kUso;
        }
        carpeta = QDir(orden.carpeta).absolutePath();
    } else {
        QString aviso;
        carpeta = entorno.carpeta(&aviso);
        if (!aviso.isEmpty())
            errores << u("Carpeta de datos: ") << aviso << '\n';
    }

    // The same lock as the program with windows: both rewrite whole files from what they read,
    // so a check while the window is open would undo the window's changes or the other way
    // round. A folder where no lock can be made (read-only) is worked on without one, as the
    // window does.
    Instancia instancia(carpeta);
    if (!instancia.bloquea() && !instancia.sinCerrojo()) {
        errores << u("Bolarium ya está abierto con la carpeta de datos %1: no se comprueba nada "
                     "mientras tanto, porque dos programas sobre la misma carpeta se borrarían "
                     "los cambios el uno al otro. Ciérrelo y vuelva a intentarlo.")
                       .arg(QDir::toNativeSeparators(instancia.carpeta()))
                << '\n';
        errores.flush();
        return kFallo;
    }

    bool bien = true;
    Sesion sesion(carpeta, entorno.reloj);
    // The files are opened as the main window opens them, step by step.
    sesion.abreArchivos();
    archivos::asegura(sesion.ruta(QStringLiteral("www.txt")));
    archivos::asegura(sesion.ruta(QStringLiteral("www2.txt")));
    // An archive of the older layout is converted before anything reads it as records.
    if (conversion::esAntiguo(sesion.sorteos().ruta())) {
        salida << conversion::mensajeConversion().replace(QStringLiteral("\r\n"),
                                                          QStringLiteral(" "))
               << '\n';
        if (sesion.convierteAntiguo() != Escritura::Hecha) {
            errores << u("No se ha podido convertir el archivo de sorteos numeros.dat.") << '\n';
            bien = false;
        }
    }
    sesion.leeajustes();
    for (const Sesion::Aviso &a : sesion.avisosApertura())
        errores << a.titulo << ": " << a.texto << '\n';
    sesion.empieza();
    bien = contadoresGuardados(sesion, errores) && bien;

    int nuevos = -1;
    bool descargaFallida = false;
    if (!orden.sinDescarga) {
        const int antes = sesion.sorteos().cuenta();
        Bajada bajada(sesion);
        bajada.ejecuta();
        cuenta(bajada.notas(), errores);
        nuevos = std::max(0, sesion.sorteos().cuenta() - antes);
        descargaFallida = bajada.fallida();
        bien = !descargaFallida && bien;
        bien = contadoresGuardados(sesion, errores) && bien;
    }
    errores.flush();
    salida << u("%1: comprobación del %2 a las %3.\n")
                  .arg(nombreVersion(), dia(fechas::serial(sesion.hoy())),
                       sesion.ahora().time().toString(QStringLiteral("HH:mm")))
           << u("Carpeta de datos: %1\n").arg(QDir::toNativeSeparators(sesion.carpeta()));
    if (descargaFallida)
        salida << u("La descarga no ha ido bien (el motivo sale en la salida de errores): se "
                    "comprueba lo que hay en el archivo.\n");
    salida << resumen(sesion, nuevos);
    if (sesion.historicoNuevo())
        salida << u("\nEl archivo de sorteos que trae el programa no tiene los importes de los "
                    "premios. Pídalos con \"Completar importes de premios\" del menú General "
                    "del programa.\n");
    salida.flush();
    return bien ? kBien : kFallo;
}

QString resumen(Sesion &sesion, int nuevos)
{
    QString texto;
    QTextStream o(&texto);
    if (nuevos < 0)
        o << u("Sin descarga: se comprueba el sorteo más reciente del archivo.\n");
    else if (nuevos == 0)
        o << u("Sorteos nuevos: ninguno.\n");
    else
        o << u("Sorteos nuevos: %1.\n").arg(nuevos);

    // The draws the checking passes just looked at: those the download brought, or the newest
    // one when none came.
    const std::vector<Sorteo> &archivo = sesion.sorteos().sorteos();
    if (archivo.empty()) {
        o << u("El archivo de sorteos está vacío: no hay nada que comprobar.\n");
        return texto;
    }
    const auto n =
        static_cast<std::ptrdiff_t>(std::min(archivo.size(), size_t(std::max(nuevos, 1))));
    const std::vector<Sorteo> sorteos(archivo.end() - n, archivo.end());
    for (const Sorteo &s : sorteos)
        o << u("Sorteo del ") << dia(s.fecha) << ": " << comprobacion::textoSorteo(s) << '\n';

    const std::vector<Pena> &penas = sesion.penas().penas();
    if (penas.empty()) {
        o << u("\nNo hay ninguna peña guardada.\n");
        return texto;
    }
    for (size_t j = 0; j < penas.size(); ++j) {
        const Pena &p = penas[j];
        if (!p.tipoValido())
            continue;
        o << u("\nPeña ") << p.nombreTexto().trimmed() << '\n';
        const ganancias::Ganancias g = sesion.cuentas().de(p, true);
        int jugados = 0;
        ganancias::Jugada suma; // of the draws listed
        for (const Sorteo &s : sorteos) {
            const auto jugada =
                std::find_if(g.detalle.begin(), g.detalle.end(), [&s](const ganancias::Jugada &x) {
                    return clave(x.fecha) == clave(s.fecha);
                });
            if (jugada == g.detalle.end())
                continue;
            ++jugados;
            o << "  " << dia(s.fecha) << ": ";
            if (premiados::hayPremio(*jugada)) {
                o << premiados::textoAciertos(*jugada) << u(" — ")
                  << premiados::textoImporte(*jugada) << '\n';
            } else {
                o << cantidad(aciertos(p, s), "acierto", "aciertos") << u(", sin premio\n");
            }
            suma.premio += jugada->premio;
            suma.pendientes += jugada->pendientes;
        }
        if (jugados == 0) {
            o << u("  No juega ninguno de estos sorteos.\n");
            continue;
        }
        suma.desconocido = suma.pendientes > 0;
        if (jugados > 1)
            o << u("  Total: ") << premiados::textoImporte(suma) << '\n';
    }
    return texto;
}

} // namespace lineaordenes
