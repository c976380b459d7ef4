#include "session/bajada.h"
#include "archive/fechas.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "web/analisis.h"
#include "web/direcciones.h"
#include "web/servicio.h"
#include "web/transferencia.h"

#include <QEventLoop>
#include <algorithm>

namespace bajada {

QString hostOperador(const Sitios &sitios)
{
    const QString host = QUrl(sitios.operadorSitio).host();
    return host.isEmpty() ? sitios.operadorSitio : host;
}

QDate desdePaginas(const Sesion &sesion)
{
    return sesion.hoy().addDays(-50);
}

QUrl busqueda(const Sesion &sesion)
{
    return direcciones::busqueda(sesion.sitios().operadorSitio, desdePaginas(sesion), sesion.hoy());
}

std::optional<NotaBajada> impedimento(const Sesion &sesion)
{
    const double ultimo = sesion.sorteoActual().fecha;
    if (ultimo > fechas::serial(sesion.hoy()))
        return NotaBajada{
            u("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos "
              "con fechas porsteriores a la actual. Comprueba la fecha de tu ordenador."),
            u("Error de fechas"), NotaBajada::Tipo::Informacion, true};
    // The search page lists 50 days. Appending them to an older archive would leave a hole
    // that no later download fills and that every check would take for draws not held. A
    // source of answers asks for every missing day, whatever the gap.
    if (!sesion.fuente() && ultimo != 0 && analisis::faltanAntesDe(ultimo, desdePaginas(sesion)))
        return NotaBajada{u("El archivo de sorteos termina el ") + fechas::textoCorto(ultimo) +
                              u("; la página del operador sólo muestra los últimos 50 días. "
                                "Importe los sorteos que faltan desde un archivo."),
                          u("Faltan sorteos"), NotaBajada::Tipo::Exclamacion, true};
    return std::nullopt;
}

NotaBajada sinNovedades()
{
    return {u("Todavía no hay sorteos nuevos."), u("Pruebe más tarde"),
            NotaBajada::Tipo::Informacion, false};
}

NotaBajada noGuardados(int encontrados, Escritura escritura)
{
    const QString cuantos =
        encontrados == 1 ? u("1 sorteo nuevo") : u("%1 sorteos nuevos").arg(encontrados);
    const QString causa = escritura == Escritura::SinPermiso
                              ? u("El programa no tiene permiso para modificar el archivo: "
                                  "ciérrelo y ejecútelo en modo Administrador.")
                              : u("Puede que el disco esté lleno: libere espacio y vuelva a "
                                  "bajar los sorteos.");
    return {u("Se han encontrado ") + cuantos +
                u(", pero no se han podido guardar en el archivo de sorteos numeros.dat. ") +
                causa + u(" El archivo de sorteos sigue como estaba."),
            u("Sorteos no guardados"), NotaBajada::Tipo::Exclamacion, true};
}

Lectura lee(Sesion &sesion, const QByteArray &respuesta, const QDate &hasta)
{
    Lectura l;
    const QString host = hostOperador(sesion.sitios());
    const auto noValida = [&l](const QString &texto) {
        l.notas.push_back({texto, servicio::tituloNoValido(), NotaBajada::Tipo::Exclamacion, true});
        l.sigue = false;
    };
    const Sesion::Recepcion recibida = sesion.recibe(respuesta, hasta);
    using Forma = Fuente::Lectura::Forma;
    switch (recibida.forma) {
    case Forma::Lista:
        break;
    case Forma::Pagina:
        l.rechazada = true;
        l.sigue = false;
        return l;
    case Forma::Grande:
        noValida(servicio::textoGrande(host));
        return l;
    case Forma::NoEsLista:
        noValida(servicio::textoNoJson(host));
        return l;
    }
    if (!recibida.desconocidas.isEmpty())
        l.notas.push_back({servicio::textoEtiquetas(host, recibida.desconocidas),
                           u("Categorías desconocidas"), NotaBajada::Tipo::Informacion, false});
    if (!recibida.importesNoValidos.isEmpty())
        l.notas.push_back({servicio::textoImportesNoValidos(host, recibida.importesNoValidos),
                           u("Importes no válidos"), NotaBajada::Tipo::Exclamacion, false});
    const servicio::Agregado &a = recibida.agregado;
    if (a.lleno) {
        l.notas.push_back(
            {u("El archivo de sorteos no admite más sorteos: ya tiene el máximo de %1.")
                 .arg(ArchivoSorteos::kMaximo),
             u("Archivo lleno"), NotaBajada::Tipo::Exclamacion, true});
        l.sigue = false;
    } else if (a.escritura != Escritura::Hecha) {
        l.notas.push_back(noGuardados(a.encontrados, a.escritura));
        l.sinGuardar = true;
        l.sigue = false;
    } else if (a.invalido) {
        noValida(servicio::textoInvalido(host, *a.invalido, sesion.descargados() > 0));
    }
    return l;
}

Analisis analiza(Sesion &sesion, const QByteArray &pagina, bool transferenciaFallida)
{
    Analisis r;
    const analisis::Resultado a = sesion.recibePagina(pagina);
    const int tomados = static_cast<int>(a.tomados.size());
    if (!a.error) {
        if (tomados == 0)
            r.notas.push_back(sinNovedades());
        return r;
    }
    if (tomados > 0 && a.escritura != Escritura::Hecha) {
        // The page was read and its draws are new: only the disk refused them.
        r.notas.push_back(noGuardados(tomados, a.escritura));
        r.sinGuardar = true;
    } else if (tomados == 0 && !transferenciaFallida) {
        const QString causa =
            a.diaSinSorteo != 0
                ? u(" La página da un sorteo del %1, %2, que no es día de sorteo; no se ha "
                    "guardado ningún sorteo.")
                      .arg(fechas::textoCorto(a.diaSinSorteo), diasemana(a.diaSinSorteo).toLower())
                : QString();
        r.notas.push_back(
            {u("¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, "
               "posiblemente se ha de actualizar el programa. Pruebe más tarde.") +
                 causa,
             u("Error crítico"), NotaBajada::Tipo::Critico, true});
        // The download still ends its current step and writes the draw page, as it always
        // did; its timer stops there.
        sesion.ponErrordatos(true);
        r.errordatos = true;
    } else if (transferenciaFallida) {
        r.notas.push_back({Descarga::textoAviso(Descarga::Aviso::NoConectado),
                           Descarga::tituloAviso(Descarga::Aviso::NoConectado),
                           NotaBajada::Tipo::Exclamacion, true});
        r.detener = true;
    } else {
        r.notas.push_back({u("Aun no hay datos de sorteos del ") +
                               QString::number(sesion.hoy().year()) + QStringLiteral("."),
                           u("Pruebe mas tarde"), NotaBajada::Tipo::Informacion, false});
    }
    return r;
}

} // namespace bajada

Bajada::Bajada(Sesion &sesion, QObject *parent)
    : QObject(parent), sesion_(sesion), descarga_(sesion.carpeta(), *this)
{
    reloj_.setInterval(kPaso);
    connect(&reloj_, &QTimer::timeout, this, [this] {
        descarga_.tick();
        mira();
    });
    // The amounts that premios.dat refused are lost for this download: it is told as a failure.
    connect(&sesion_, &Sesion::importesNoGuardados, this, [this](const QString &texto) {
        notas_.push_back({texto, u("Premios no guardados"), NotaBajada::Tipo::Exclamacion, true});
    });
}

Bajada::~Bajada()
{
    if (descarga_.activa())
        descarga_.detiene();
}

bool Bajada::empieza()
{
    notas_.clear();
    sinGuardar_ = false;
    avisada_ = false;
    sesion_.empiezaDescarga();
    sesion_.paraAviso();
    sesion_.ponAvisopremio(0);
    if (std::optional<NotaBajada> nota = bajada::impedimento(sesion_)) {
        notas_.push_back(std::move(*nota));
        return false;
    }
    if (const Fuente *fuente = sesion_.fuente()) {
        // Everything from the day after the newest archived draw up to today, whatever the gap,
        // and the last days again for their amounts.
        const auto [desde, hasta] = sesion_.diasPorPedir();
        hasta_ = hasta;
        descarga_.empiezaRespuestas(fuente->peticiones(desde, hasta), fuente->limite(),
                                    bajada::hostOperador(sesion_.sitios()));
    } else {
        descarga_.empieza(bajada::busqueda(sesion_), sesion_.sitios().operadorSitio);
    }
    return true;
}

bool Bajada::ejecuta()
{
    if (!empieza())
        return false;
    QEventLoop bucle;
    connect(this, &Bajada::terminada, &bucle, &QEventLoop::quit);
    mira();
    if (!avisada_)
        bucle.exec();
    return true;
}

bool Bajada::fallida() const
{
    return std::any_of(notas_.begin(), notas_.end(), [](const NotaBajada &n) { return n.fallo; });
}

void Bajada::anota(std::vector<NotaBajada> notas)
{
    for (NotaBajada &n : notas)
        notas_.push_back(std::move(n));
}

// The end is looked for once the step that reached it is over: the download stops its timer
// before the storing and the checking that close it.
void Bajada::mira()
{
    if (avisada_ || descarga_.activa())
        return;
    avisada_ = true;
    emit terminada();
}

void Bajada::temporizador(bool enMarcha)
{
    if (enMarcha)
        reloj_.start();
    else
        reloj_.stop();
    sesion_.ponDescargando(enMarcha);
    if (!enMarcha)
        QMetaObject::invokeMethod(this, &Bajada::mira, Qt::QueuedConnection);
}

void Bajada::avisa(Descarga::Aviso aviso)
{
    notas_.push_back({Descarga::textoAviso(aviso), Descarga::tituloAviso(aviso),
                      NotaBajada::Tipo::Exclamacion, true});
}

void Bajada::analizasorteos(const QByteArray &pagina)
{
    bajada::Analisis a =
        bajada::analiza(sesion_, pagina, descarga_.estadoinet == Transferencia::kEstadoError);
    sinGuardar_ = sinGuardar_ || a.sinGuardar;
    anota(std::move(a.notas));
    if (a.detener)
        descarga_.detiene();
}

QString Bajada::enlacesorteo() const
{
    return sesion_.enlacesorteo();
}

bool Bajada::errordatos() const
{
    return sesion_.errordatos();
}

void Bajada::postproceso()
{
    sesion_.terminaDescarga();
    // The draw page names no date: only the one just downloaded is the newest draw's, and its
    // amounts are kept now, as the "Último sorteo" tab does after a download.
    if (!sesion_.fuente())
        sesion_.desglosePagina(true);
}

bool Bajada::leeRespuesta(const QByteArray &respuesta)
{
    bajada::Lectura l = bajada::lee(sesion_, respuesta, hasta_);
    sinGuardar_ = sinGuardar_ || l.sinGuardar;
    anota(std::move(l.notas));
    if (l.rechazada)
        rechazada(0);
    return l.sigue;
}

void Bajada::avisaFallo(const QString &texto, const QString &titulo)
{
    notas_.push_back({texto, titulo, NotaBajada::Tipo::Exclamacion, true});
}

void Bajada::rechazada(int codigoHttp)
{
    // No browser to offer: the address of the missing draws is given for the user to open.
    const Fuente *fuente = sesion_.fuente();
    QString texto = servicio::textoRechazado(bajada::hostOperador(sesion_.sitios()), codigoHttp);
    if (fuente) {
        const auto [desde, hasta] = sesion_.diasQueFaltan();
        texto += u(" Puede traer los sorteos con el navegador: abra %1, guarde la página con "
                   "«Guardar como...» y, en el programa, elija «Importar sorteos de un "
                   "archivo...» y abra el archivo guardado.")
                     .arg(fuente->enNavegador(desde, hasta).toString());
    }
    notas_.push_back({texto, servicio::tituloRechazo(), NotaBajada::Tipo::Exclamacion, true});
}

int Bajada::nuevos() const
{
    return sesion_.descargados();
}

void Bajada::cierraRespuestas()
{
    if (sesion_.cierraRecepcion() == 0)
        notas_.push_back(bajada::sinNovedades());
}

QString Bajada::notaFinal() const
{
    const int n = sesion_.importesActualizados();
    return n > 0 ? servicio::textoImportesActualizados(n) : QString();
}
