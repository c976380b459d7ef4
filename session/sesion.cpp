#include "session/sesion.h"
#include "archive/conversion.h"
#include "archive/fechas.h"
#include "archive/texto.h"
#include "reports/informes.h"
#include "session/cuentas.h"
#include "web/transferencia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
// Far more than any archive holds; a larger file is not copied aside, and so not emptied.
constexpr qint64 kMaximoCopia = qint64(64) << 20;
constexpr qint64 kMaximoPagina = Transferencia::kLimitePagina + 1024;
// Amounts the operator publishes after the numbers, or corrects, come within these days.
constexpr int kDiasRevisados = 30;

// Where an archive the statistics could not read is kept: beside it, named after the moment
// it was found, never over an earlier copy.
QString rutaCopia(const QString &archivo, const QDateTime &cuando)
{
    const QFileInfo info(archivo);
    const QString base = info.dir().filePath(
        QStringLiteral("numeros-%1").arg(cuando.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QString ruta = base + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(ruta); ++n)
        ruta = base + QStringLiteral("-%1.dat").arg(n);
    return ruta;
}
// The archive was replaced or lost draws: rescan, both passes again, and the news.
void cambianSorteos(Sesion &sesion, const CambioSorteos &cambio)
{
    sesion.recuenta();
    sesion.refresca();
    emit sesion.sorteosCambiados(cambio);
}
} // namespace

Sesion::Sesion(const QString &carpeta, Reloj reloj, QObject *parent)
    : QObject(parent), carpeta_(QDir(carpeta).absolutePath()), reloj_(std::move(reloj))
{
    sorteos_.ponRuta(ruta(QStringLiteral("numeros.dat")));
    penas_.ponRuta(ruta(QStringLiteral("apuestas.dat")));
    importes_ = ArchivoImportes(importes::rutaArchivo(carpeta_));
    ganadores_ = ArchivoGanadores(importes::rutaGanadores(carpeta_));
    socios_ = ArchivoSocios(socios::rutaArchivo(carpeta_));
    archivoCuentas_ = ArchivoCuentas(cuentas::rutaArchivo(carpeta_));
    // Made first, so that it hears of every change before any view asks it for figures.
    cuentas_ = std::make_unique<Cuentas>(*this);
}

Sesion::~Sesion() = default;

QString Sesion::ruta(const QString &archivo) const
{
    return QDir(carpeta_).filePath(archivo);
}

void Sesion::abreArchivos()
{
    QFile::remove(ruta(QStringLiteral("apuestas.tmp")));
    penas_.abre();
    copiaHistoricoInicial();
    sorteos_.abre();
    abreImportes();
    abreSocios();
    claves_.clear();
    for (const Pena &p : penas_.penas())
        claves_.emplace_back(p.creacion, p.nombre);
}

void Sesion::abreImportes()
{
    importes_.abre();
    ganadores_.abre();
}

void Sesion::abreSocios()
{
    sociosLegibles_ = socios_.abre() == Escritura::Hecha;
    cuentasLegibles_ = archivoCuentas_.abre() == Escritura::Hecha;
}

std::vector<Sesion::Aviso> Sesion::avisosApertura()
{
    std::vector<Aviso> avisos;
    if (!danadosAvisados_ && sorteos_.danados() > 0) {
        danadosAvisados_ = true;
        const int n = sorteos_.danados();
        avisos.push_back(
            {u("El archivo de sorteos numeros.dat tiene %1 %2 (números "
               "repetidos, un complementario, un reintegro o un Joker "
               "imposibles). No se cuentan para los premios ni se muestran, y se quitarán del "
               "archivo la próxima vez que se guarde.")
                 .arg(n)
                 .arg(n == 1 ? u("sorteo dañado que se ha omitido")
                             : u("sorteos dañados que se han omitido")),
             u("Sorteos dañados")});
    }
    // Record numbers stop at 32,766: draws beyond them are neither read nor kept, and the
    // user must know before a rewrite drops them.
    if (!sobrantesAvisados_ && sorteos_.sobrantes() > 0) {
        sobrantesAvisados_ = true;
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        avisos.push_back(
            {u("El archivo de sorteos numeros.dat tiene %1 sorteos, más de los %2 que el "
               "programa puede manejar. Se han leído los %2 primeros; los %3 siguientes no se "
               "muestran ni se cuentan para los premios, y se perderán la próxima vez que se "
               "guarde el archivo.")
                 .arg(es.toString(qint64(ArchivoSorteos::kMaximo) + sorteos_.sobrantes()),
                      es.toString(ArchivoSorteos::kMaximo), es.toString(sorteos_.sobrantes())),
             u("Archivo de sorteos demasiado grande")});
    }
    // A newest draw after today says the clock is wrong, not the draw: the archive keeps it
    // and the program carries on; the user hears of it once a run.
    const QDate hoyDia = hoy();
    const QDate ultimo = sorteos_.vacio() ? QDate() : fechas::dia(sorteos_.ultimo().fecha);
    if (!relojAvisado_ && hoyDia.isValid() && ultimo.isValid() && ultimo > hoyDia) {
        relojAvisado_ = true;
        avisos.push_back(
            {u("La fecha del ordenador parece equivocada: el ordenador dice que hoy es %1, "
               "pero el sorteo más reciente del archivo es del %2. Se conservan todos los "
               "sorteos, pero mientras no se corrijan la fecha y la hora del sistema el próximo "
               "sorteo y la cuenta atrás no serán correctos y no se descargarán sorteos nuevos.")
                 .arg(fechas::textoCorto(fechas::serial(hoyDia)),
                      fechas::textoCorto(sorteos_.ultimo().fecha)),
             u("Fecha del ordenador"), Aviso::Tipo::Informacion});
    }
    if (!cuentasAvisadas_ && (archivoCuentas_.danados() > 0 || !cuentasLegibles_)) {
        cuentasAvisadas_ = true;
        const int n = archivoCuentas_.danados();
        avisos.push_back(
            {!cuentasLegibles_
                 ? u("No se puede leer el archivo de cuentas de las peñas cuentas.dat (no es un "
                     "archivo normal, es demasiado grande o no hay permiso para leerlo). Los "
                     "pagos no se muestran y el archivo no se modificará.")
                 : u("El archivo de cuentas de las peñas cuentas.dat tiene %1 %2 (un tipo, una "
                     "fecha o un importe imposibles). No se cuentan en los saldos, pero se "
                     "conservan tal como están en el archivo.")
                       .arg(n)
                       .arg(n == 1 ? u("registro dañado que se ha omitido")
                                   : u("registros dañados que se han omitido")),
             u("Cuentas de las peñas")});
    }
    if (!penasAvisadas_ && penas_.tamanoRechazado() > 0) {
        penasAvisadas_ = true;
        avisos.push_back({ArchivoPenas::mensajeGrande(penas_.tamanoRechazado()),
                          u("Archivo de peñas demasiado grande")});
    }
    return avisos;
}

void Sesion::copiaHistoricoInicial()
{
    // A first start gets the history that comes with the program, so the user sees real draws
    // at once. An archive that exists is the user's, even an empty one: it is never replaced.
    const QString archivo = ruta(QStringLiteral("numeros.dat"));
    const QString inicial = ruta(QStringLiteral("numeros-inicial.dat"));
    if (QFileInfo::exists(archivo) || QFileInfo(archivo).isSymLink() ||
        !QFileInfo(inicial).isFile())
        return;
    QByteArray bytes;
    if (archivos::lee(inicial, qint64(ArchivoSorteos::kMaximo) * Sorteo::kLongitud, bytes))
        historicoNuevo_ = archivos::escribe(archivo, bytes) == Escritura::Hecha;
}

void Sesion::ponAjustes(const Ajustes &ajustes)
{
    ajustes_ = ajustes;
    emit ajustesCambiados();
}

void Sesion::leeajustes()
{
    sitios_ = Sitios::lee(carpeta_);
    switch (sitios_.fuente) {
    case Sitios::Fuente::Servicio:
        fuente_ = fuenteRango(sitios_.operadorSitio, sitios_.operadorAgente);
        break;
    case Sitios::Fuente::Fecha:
        fuente_ = fuenteFecha(sitios_.operadorSitio, sitios_.operadorAgente);
        break;
    case Sitios::Fuente::Pagina:
        fuente_.reset();
        break;
    }
    ponAjustes(::leeajustes(carpeta_, sitios_));
    ponMeses(ajustes_.profundidad);
    preferencias_ = Preferencias::lee(carpeta_);
}

Escritura Sesion::ponPreferencias(const Preferencias &preferencias)
{
    // Kept for the run even when the file refuses it: the user chose.
    preferencias_ = preferencias;
    return preferencias_.escribe(carpeta_);
}

Escritura Sesion::ponWeb(const QString &web)
{
    Ajustes nuevos = ajustes_;
    nuevos.ponWeb(web);
    ponAjustes(nuevos);
    return nuevos.escribe(ruta(QStringLiteral("nums.ini")));
}

void Sesion::recuenta()
{
    sigueSocios();
    recuento_ = ::recuenta(sorteos_.sorteos(), penas_.penas(), hoy());
    emit recontado();
}

void Sesion::sigueSocios()
{
    const std::vector<Pena> &penas = penas_.penas();
    std::vector<std::pair<double, QByteArray>> claves;
    claves.reserve(penas.size());
    for (const Pena &p : penas)
        claves.emplace_back(p.creacion, p.nombre);
    // Only a change in place: a syndicate added or deleted moves the others, and deletion
    // looks after its own members.
    if (claves_.size() == claves.size()) {
        std::vector<std::pair<Pena, Pena>> cambios;
        for (size_t j = 0; j < claves.size(); ++j) {
            if (Pena::mismaCreacion(claves_[j].first, claves[j].first) &&
                claves_[j].second == claves[j].second)
                continue;
            Pena antes = penas[j];
            antes.creacion = claves_[j].first;
            antes.nombre = claves_[j].second;
            cambios.emplace_back(antes, penas[j]);
        }
        if (!cambios.empty() && sociosLegibles_ && socios_.sigue(cambios) == Escritura::Hecha)
            emit sociosCambiados();
        if (!cambios.empty() && cuentasLegibles_ &&
            archivoCuentas_.sigue(cambios) == Escritura::Hecha)
            emit cuentasCambiadas();
        claves_ = std::move(claves);
        for (const auto &[antes, despues] : cambios)
            emit penaRenombrada(antes, despues);
        return;
    }
    claves_ = std::move(claves);
}

void Sesion::empieza()
{
    recuenta();
    refresca();
}

void Sesion::refresca()
{
    ++refrescos_;
    comprueba();
    emit refresco();
}

// --- Checking ---

void Sesion::ponSorteosAComprobar(int n)
{
    if (n == sorteosAComprobar_)
        return;
    sorteosAComprobar_ = n;
    refresca();
}

void Sesion::ponHistorico(bool valor)
{
    historico_ = valor;
    ponAvisoNuevos(QString());
    refresca();
}

void Sesion::ponSoloPremios(bool valor)
{
    soloPremios_ = valor;
    refresca();
}

void Sesion::limitaSorteos(int maximo)
{
    if (sorteosAComprobar_ > maximo)
        ponSorteosAComprobar(1);
}

bool Sesion::refrescaResultados()
{
    if (sorteosAComprobar_ == 1) {
        comprueba();
        return false;
    }
    ponSorteosAComprobar(1);
    emit resultadosAlPrincipio();
    return true;
}

void Sesion::comprueba()
{
    comprueba(sorteosAComprobar_);
}

void Sesion::comprueba(int n)
{
    pasadas_ = {};
    contadores_ = {Escritura::Hecha, Escritura::Hecha};
    if (sorteos_.vacio()) {
        emit comprobado();
        return;
    }
    comprobacion::Opciones o;
    o.n = n;
    o.historico = historico_;
    o.soloPremios = soloPremios_;
    o.seleccion = seleccion_;
    o.avisoDescarga = !avisoNuevos_.isEmpty();
    const int total = std::max(n, 1);
    const auto progreso = [this, total](int hechos) { emit progresoComprobacion(hechos, total); };
    // Counters that could not be stored are told about by whoever shows the pass; their draws
    // stay uncounted in the file, so the next pass counts them again.
    bool contadas = false;
    auto aplica = [&](comprobacion::Pasada pasada, int lista) {
        if (pasada.penasCambiadas) {
            contadores_[size_t(lista)] = comprobacion::guarda(penas_, pasada);
            contadas = contadas || contadores_[size_t(lista)] == Escritura::Hecha;
        }
        avisopremio_ = pasada.avisopremio;
        if (pasada.arrancaAviso)
            avisoActivo_ = true;
        pasadas_[size_t(lista)] = std::move(pasada);
    };
    o.avisoActivo = avisoActivo_;
    o.avisopremio = avisopremio_;
    aplica(comprobacion::comprueba(sorteos_.sorteos(), penas_.penas(), o, progreso), 0);
    if (pasadas_[0].hayMultiples) {
        o.avisoActivo = avisoActivo_;
        o.avisopremio = avisopremio_;
        aplica(comprobacion::compruebamultiples(sorteos_.sorteos(), penas_.penas(), o), 1);
    }
    if (contadas)
        emit penasCambiadas({CambioPenas::Tipo::Contadores, 0});
    emit comprobado();
}

const Tablas &Sesion::cargaTablas()
{
    tablas_ = reducidas::lee(ruta(QStringLiteral("tablas.bin")));
    return tablas_;
}

void Sesion::eligeSeleccion(const QString &nombre)
{
    seleccion_ = nombre;
    emit seleccionElegida();
    comprueba();
}

void Sesion::ponSeleccion(const QString &nombre)
{
    seleccion_ = nombre;
}

void Sesion::olvidaSeleccion()
{
    seleccion_.clear();
    emit seleccionOlvidada();
}

void Sesion::avisoApagado()
{
    avisoActivo_ = false;
    ponAvisoNuevos(QString());
    avisopremio_ = 0;
}

void Sesion::ponAvisoNuevos(const QString &texto)
{
    avisoNuevos_ = texto;
    emit avisoNuevosCambiado(texto);
}

// --- Draws ---

void Sesion::empiezaDescarga()
{
    inicioDescarga_ = ahora();
    descargados_ = 0;
    importesActualizados_ = 0;
    importesAvisados_.clear();
    importesNoGuardadosAvisado_ = false;
    sorteosnuevos_ = 0;
    errordatos_ = false;
    ponAvisoNuevos(QString());
}

analisis::Resultado Sesion::recibePagina(const QByteArray &pagina)
{
    sorteosnuevos_ = 0;
    QString enlace = enlacesorteo_;
    const analisis::Resultado r =
        analisis::analizasorteos(pagina, sorteos_, sorteoActual(), enlace);
    enlacesorteo_ = enlace;
    const int tomados = static_cast<int>(r.tomados.size());
    if (!r.error) {
        if (tomados > 0)
            ponAvisoNuevos(analisis::textoContador(tomados));
        // With nothing new the checking looks at the newest archived draw.
        sorteosnuevos_ = tomados > 0 ? tomados : 1;
        recuenta();
    }
    // Nothing of a failed parse reaches the archive, so no draw may be counted as new.
    return r;
}

std::pair<QDate, QDate> Sesion::diasPorPedir() const
{
    const QDate hoyDia = hoy();
    QDate desde = std::min(diasQueFaltan().first, hoyDia.addDays(-kDiasRevisados));
    // The newest draws archived without their amounts are asked again however old they are: a
    // download stopped between numeros.dat and premios.dat, or draws imported alone, must not
    // keep them out for good. The walk stops at the newest draw whose amounts are known; an
    // archive without any (the shipped history) is left to "Completar importes de premios".
    const std::vector<Sorteo> &v = sorteos_.sorteos();
    for (size_t i = v.size(); i-- > 0;) {
        if (!importes::completo(importes_.busca(v[i].fecha), v[i].fecha))
            continue;
        if (i + 1 < v.size())
            desde = std::min(desde, fechas::dia(v[i + 1].fecha));
        break;
    }
    return {desde, hoyDia};
}

bool Sesion::importesPendientes() const
{
    if (sorteos_.vacio())
        return false;
    const double fecha = sorteos_.ultimo().fecha;
    return !importes::completo(importes_.busca(fecha), fecha);
}

std::pair<QDate, QDate> Sesion::diasQueFaltan() const
{
    return {servicio::inicio(sorteos_.vacio() ? 0 : sorteos_.ultimo().fecha), hoy()};
}

Sesion::Recepcion Sesion::recibe(const QByteArray &respuesta, const QDate &hasta)
{
    Recepcion recepcion;
    if (!fuente_)
        return recepcion;
    const Fuente::Lectura l = fuente_->lee(respuesta);
    recepcion.forma = l.forma;
    if (l.forma != Fuente::Lectura::Forma::Lista)
        return recepcion;
    for (const QString &etiqueta : l.lote.desconocidas)
        if (!etiquetasAvisadas_.contains(etiqueta)) {
            etiquetasAvisadas_.append(etiqueta);
            recepcion.desconocidas.append(etiqueta);
        }
    for (const QString &importe : l.lote.importesNoValidos)
        if (!importesAvisados_.contains(importe)) {
            importesAvisados_.append(importe);
            recepcion.importesNoValidos.append(importe);
        }
    const double referencia = sorteos_.vacio() ? 0 : sorteos_.ultimo().fecha;
    servicio::Agregado a = servicio::agrega(l.lote, sorteos_, hasta);
    // Every draw of the answer brings its breakdown, new to the archive or not: the money a
    // syndicate won is reckoned from it, and the operator publishes or corrects it late.
    std::vector<double> cambiados;
    bool escrito = false;
    if (importesGuardados(importes::guarda(carpeta_, l.lote, &cambiados, &escrito)) && escrito) {
        importesActualizados_ += static_cast<int>(
            std::count_if(cambiados.begin(), cambiados.end(), [referencia](double f) {
                return std::floor(f) <= std::floor(referencia);
            }));
        abreImportes();
        emit importesCambiados();
    }
    if (a.nuevos > 0) {
        descargados_ += a.nuevos;
        ponAvisoNuevos(analisis::textoContador(descargados_));
    }
    // The tab shows the newest draw's document now and at every start, as the draw page did.
    if (!l.entradaUltimo.isEmpty() && !sorteos_.vacio() && !l.lote.sorteos.empty() &&
        std::floor(l.lote.sorteos.back().sorteo.fecha) == std::floor(sorteos_.ultimo().fecha))
        archivos::escribe(ruta(QStringLiteral("sorteo.json")), '[' + l.entradaUltimo + "]\n");
    a.ultimo = nullptr;
    recepcion.agregado = a;
    return recepcion;
}

namespace {
// Where an interrupted "Completar importes de premios" goes on: the year to ask next.
const char *const kSiguienteAnio = "completar.dat";
} // namespace

std::vector<int> Sesion::aniosSinImportes() const
{
    QByteArray guardado;
    archivos::lee(ruta(QString::fromLatin1(kSiguienteAnio)), 16, guardado);
    const int desde = guardado.trimmed().toInt();
    std::vector<int> anios = importes::aniosIncompletos(sorteos_.sorteos(), importes_);
    anios.erase(std::remove_if(anios.begin(), anios.end(), [desde](int a) { return a < desde; }),
                anios.end());
    return anios;
}

int Sesion::sorteosSinImportes() const
{
    int cuantos = 0;
    importes::aniosIncompletos(sorteos_.sorteos(), importes_, &cuantos);
    return cuantos;
}

std::pair<QDate, QDate> Sesion::diasDelAnio(int anio) const
{
    const QDate ultimo = sorteos_.vacio() ? hoy() : fechas::dia(sorteos_.ultimo().fecha);
    return {std::max(QDate(anio, 1, 1), servicio::primerSorteo()),
            std::min(QDate(anio, 12, 31), ultimo)};
}

Sesion::Completado Sesion::completaImportes(const QByteArray &respuesta, int anio)
{
    Completado c;
    if (!fuente_)
        return c;
    const Fuente::Lectura l = fuente_->lee(respuesta);
    c.forma = l.forma;
    if (l.forma != Fuente::Lectura::Forma::Lista)
        return c;
    const auto delAnio = [this, anio] {
        int cuantos = 0;
        for (const Sorteo &s : sorteos_.sorteos())
            cuantos += fechas::dia(s.fecha).year() == anio &&
                       !importes::completo(importes_.busca(s.fecha), s.fecha);
        return cuantos;
    };
    const int antes = delAnio();
    // Only the amounts: the draws of the answer are the archive's own (new ones come with a
    // download, which checks them).
    // A year whose amounts could not be stored (a full disk) is asked again next time.
    c.escritura = importes::guarda(carpeta_, l.lote);
    if (c.escritura != Escritura::Hecha)
        return c;
    abreImportes();
    c.completados = antes - delAnio();
    if (c.completados > 0)
        emit importesCambiados();
    archivos::escribe(ruta(QString::fromLatin1(kSiguienteAnio)), QByteArray::number(anio + 1));
    return c;
}

void Sesion::terminaImportes()
{
    QFile::remove(ruta(QString::fromLatin1(kSiguienteAnio)));
}

int Sesion::cierraRecepcion()
{
    // With nothing new the checking looks at the newest archived draw.
    sorteosnuevos_ = descargados_ > 0 ? descargados_ : 1;
    recuenta();
    return descargados_;
}

void Sesion::terminaDescarga()
{
    olvidaSeleccion();
    const int n = sorteosnuevos_;
    comprueba(n);
    if (n != 0) {
        sorteosnuevos_ = std::min(n, 8);
        sorteosAComprobar_ = sorteosnuevos_;
    }
    emit sorteosNuevos(n);
    recuenta();
    emit sorteosCambiados({CambioSorteos::Tipo::Descargados, n, 0});
}

desglose::Desglose Sesion::desglosePagina(bool guardar)
{
    QByteArray pagina;
    archivos::lee(ruta(QStringLiteral("www2.txt")), kMaximoPagina, pagina);
    desglose::Desglose d = desglose::lee(pagina);
    // The page names no date: only the page just downloaded is known to be the newest draw's.
    if (guardar &&
        importesGuardados(importes::guardaDesglose(carpeta_, sorteoActual().fecha, d.premios))) {
        abreImportes();
        emit importesCambiados();
    }
    return d;
}

std::optional<servicio::SorteoLeido> Sesion::sorteoServicio() const
{
    QByteArray guardado;
    archivos::lee(ruta(QStringLiteral("sorteo.json")), servicio::kLimite, guardado);
    servicio::Respuesta r = servicio::lee(guardado);
    // Only the breakdown of the draw the heading names: an archive completed since from a
    // file ends with a draw whose prizes were never downloaded.
    if (r.sorteos.empty() ||
        std::floor(r.sorteos.back().sorteo.fecha) != std::floor(sorteoActual().fecha))
        return std::nullopt;
    return std::move(r.sorteos.back());
}

bool Sesion::importesGuardados(Escritura escritura)
{
    if (escritura == Escritura::Hecha)
        return true;
    if (importesNoGuardadosAvisado_)
        return false;
    importesNoGuardadosAvisado_ = true;
    const QFileInfo archivo(importes::rutaArchivo(carpeta_));
    const QString causa =
        archivo.exists() && !archivo.isFile()
            ? u("En su lugar hay algo que no es un archivo (una carpeta, por ejemplo).")
        : escritura == Escritura::SinPermiso
            ? u("El programa no tiene permiso para escribir en la carpeta o en el archivo.")
            : u("Puede que el disco esté lleno.");
    emit importesNoGuardados(
        u("No se han podido guardar los importes de los premios en %1. ")
            .arg(QDir::toNativeSeparators(importes::rutaArchivo(carpeta_))) +
        causa +
        u(" Los premios de esos sorteos quedan pendientes: vuelva a descargar cuando lo haya "
          "resuelto."));
    return false;
}

intercambio::Resultado Sesion::importaSorteos(const QString &archivo)
{
    const intercambio::Resultado r = intercambio::importa(carpeta_, archivo);
    using Estado = intercambio::Resultado::Estado;
    // A saved answer of the results service brings its prize amounts as well, even when all
    // its draws were archived already: they are kept as a download keeps them.
    bool escrito = false;
    importesNoGuardadosAvisado_ = false;
    if ((r.estado == Estado::Importado || r.estado == Estado::SinNovedades) &&
        importesGuardados(importes::guarda(carpeta_, r.lote, nullptr, &escrito)) && escrito) {
        abreImportes();
        emit importesCambiados();
    }
    if (r.estado != Estado::Importado)
        return r;
    sorteos_.reabre();
    cambianSorteos(*this, {CambioSorteos::Tipo::Importados, r.anadidos, 0});
    return r;
}

Importacion Sesion::sustituyeSorteos(const QString &archivo)
{
    const Importacion r = mantenimiento::importa(carpeta_, archivo);
    if (r.estado != Importacion::Estado::Importado)
        return r;
    sorteos_.reabre();
    cambianSorteos(*this, {CambioSorteos::Tipo::Sustituidos, r.importados, 0});
    return r;
}

Escritura Sesion::borraSorteos()
{
    const Escritura e = sorteos_.reescribe({});
    if (e != Escritura::Hecha)
        return e;
    cambianSorteos(*this, {CambioSorteos::Tipo::Borrados, 0, 0});
    return e;
}

Escritura Sesion::borraSorteo(int registro)
{
    const Escritura e = sorteos_.elimina(registro);
    if (e != Escritura::Hecha)
        return e;
    recuenta();
    emit sorteosCambiados({CambioSorteos::Tipo::BorradoUno, 1, registro});
    return e;
}

Sesion::Apartado Sesion::apartaArchivo()
{
    Apartado a;
    a.copia = rutaCopia(sorteos_.ruta(), ahora());
    // Copied through our own writer: a copy is only there when all its bytes reached the disk.
    // Without a copy the draws would be lost: the archive is then left as it is.
    QByteArray contenido;
    a.copiado = archivos::lee(sorteos_.ruta(), kMaximoCopia, contenido) &&
                archivos::escribe(a.copia, contenido) == Escritura::Hecha;
    if (!a.copiado)
        return a;
    a.vaciado = sorteos_.reescribe({});
    if (a.vaciado != Escritura::Hecha)
        return a;
    cambianSorteos(*this, {CambioSorteos::Tipo::Apartados, 0, 0});
    return a;
}

Escritura Sesion::convierteAntiguo()
{
    sorteos_.cierra();
    const Escritura e = conversion::conviertesorteos(carpeta_);
    sorteos_.reabre();
    emit sorteosCambiados({CambioSorteos::Tipo::Convertidos, sorteos_.cuenta(), 0});
    return e;
}

// --- Syndicates and members ---

Escritura Sesion::guardaPena(int registro, const Pena &pena)
{
    const Escritura e = penas_.escribe(registro, pena);
    if (e != Escritura::Hecha)
        return e;
    recuenta();
    emit penasCambiadas({CambioPenas::Tipo::Guardada, registro});
    return e;
}

Sesion::Eliminacion Sesion::eliminaPena(int registro)
{
    Eliminacion r;
    if (registro < 1 || registro > penas_.cuenta())
        return r;
    const Pena borrada = penas_.lee(registro);
    r.penas = penas_.elimina(registro);
    if (r.penas != Escritura::Hecha)
        return r;
    claves_.erase(claves_.begin() + (registro - 1));
    // Its members go with it, unless another syndicate has the same name and date.
    const std::vector<Pena> &quedan = penas_.penas();
    const bool otraIgual = std::any_of(quedan.begin(), quedan.end(), [&](const Pena &p) {
        return SociosPena::de(borrada).esDe(p);
    });
    if (sociosLegibles_ && !otraIgual) {
        r.socios = socios_.quita(borrada);
        if (r.socios == Escritura::Hecha)
            emit sociosCambiados();
    }
    // Its accounts too, on the same terms.
    if (cuentasLegibles_ && !otraIgual && archivoCuentas_.busca(borrada)) {
        r.cuentas = archivoCuentas_.quita(borrada);
        if (r.cuentas == Escritura::Hecha)
            emit cuentasCambiadas();
    }
    recuenta();
    emit penasCambiadas({CambioPenas::Tipo::Eliminada, registro});
    refrescaResultados();
    return r;
}

Escritura Sesion::reseteaContadores()
{
    const Escritura e = penas_.reseteaContadores(fechas::serial(hoy()));
    if (e != Escritura::Hecha)
        return e;
    ponSorteosAComprobar(1);
    emit penasCambiadas({CambioPenas::Tipo::ContadoresBorrados, 0});
    recuenta();
    return e;
}

Escritura Sesion::guardaSocios(const SociosPena &nuevos)
{
    if (!sociosLegibles_)
        return Escritura::Fallo;
    const Escritura e = socios_.pon(nuevos);
    if (e == Escritura::Hecha)
        emit sociosCambiados();
    return e;
}

Escritura Sesion::guardaCuentas(const CuentasPena &nuevas)
{
    if (!cuentasLegibles_)
        return Escritura::Fallo;
    const Escritura e = archivoCuentas_.pon(nuevas);
    if (e == Escritura::Hecha)
        emit cuentasCambiadas();
    return e;
}

void Sesion::cierraEdicion()
{
    olvidaSeleccion();
    refrescaResultados();
    recuenta();
    ponPenagrabada(0);
}

// --- Statistics ---

void Sesion::ponFiltro(const stats::Filtro &filtro)
{
    filtro_ = filtro;
    filtro_.meses = stats::mesesValidos(filtro.meses);
    emit filtroCambiado();
}

void Sesion::ponMeses(int meses)
{
    // Like a slider set to the value it has: nothing to do again.
    if (stats::mesesValidos(meses) == filtro_.meses)
        return;
    stats::Filtro f = filtro_;
    f.meses = meses;
    ponFiltro(f);
}

bool Sesion::frecuencias(int k)
{
    const stats::Ranking r = stats::ranking(estadistica_.cuentas);
    masfrecuentes_ = r.numeros;
    return informes::escribeNumeros(carpeta_, stats::primeros(r, k));
}
