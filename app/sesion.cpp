#include "app/sesion.h"
#include "archive/fechas.h"
#include "reports/informes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

Sesion::Sesion(const QString &carpeta, Reloj reloj, QObject *parent)
    : QObject(parent), carpeta_(QDir(carpeta).absolutePath()), reloj_(std::move(reloj))
{
    sorteos_.ponRuta(ruta(QStringLiteral("numeros.dat")));
    penas_.ponRuta(ruta(QStringLiteral("apuestas.dat")));
}

QString Sesion::ruta(const QString &archivo) const
{
    return QDir(carpeta_).filePath(archivo);
}

void Sesion::abreArchivos()
{
    QFile::remove(ruta(QStringLiteral("apuestas.tmp")));
    penas_.abre();
    copiaHistoricoInicial();
    // A draw dated more than a year after today cannot have been held. The program's clock may
    // be set back (to look at an old week); a draw is only impossible when it is after the
    // machine's today as well.
    sorteos_.ponTope(fechas::serial(std::max(hoy(), QDate::currentDate()).addYears(1)));
    sorteos_.abre();
}

std::vector<Sesion::Aviso> Sesion::avisosApertura()
{
    std::vector<Aviso> avisos;
    if (!danadosAvisados_ && sorteos_.danados() > 0) {
        danadosAvisados_ = true;
        const int n = sorteos_.danados();
        avisos.push_back(
            {QString::fromUtf8(
                 "El archivo de sorteos numeros.dat tiene %1 %2 (números "
                 "repetidos, un complementario, un reintegro o un Joker "
                 "imposibles, o una fecha posterior en más de un año a la de hoy). No se cuentan "
                 "para los premios ni se muestran, y se quitarán del archivo la "
                 "próxima vez que se guarde.")
                 .arg(n)
                 .arg(n == 1 ? QString::fromUtf8("sorteo dañado que se ha omitido")
                             : QString::fromUtf8("sorteos dañados que se han omitido")),
             QString::fromUtf8("Sorteos dañados")});
    }
    if (!penasAvisadas_ && penas_.tamanoRechazado() > 0) {
        penasAvisadas_ = true;
        avisos.push_back({ArchivoPenas::mensajeGrande(penas_.tamanoRechazado()),
                          QString::fromUtf8("Archivo de peñas demasiado grande")});
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
        archivos::escribe(archivo, bytes);
}

void Sesion::ponAjustes(const Ajustes &ajustes)
{
    ajustes_ = ajustes;
    emit ajustesCambiados();
}

void Sesion::leeajustes()
{
    sitios_ = Sitios::lee(carpeta_);
    ponAjustes(::leeajustes(carpeta_, sitios_));
    ponMeses(ajustes_.profundidad);
}

void Sesion::recuenta()
{
    recuento_ = ::recuenta(sorteos_.sorteos(), penas_.penas(), hoy());
    emit recontado();
}

void Sesion::refresca()
{
    ++refrescos_;
    emit refresco();
}

const Tablas &Sesion::cargaTablas()
{
    tablas_ = reducidas::lee(ruta(QStringLiteral("tablas.bin")));
    return tablas_;
}

void Sesion::ponPenasel(int registro)
{
    penasel_ = registro;
    emit penaselCambiada(registro);
}

void Sesion::eligeSeleccion(const QString &nombre)
{
    seleccion_ = nombre;
    emit seleccionElegida();
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

void Sesion::ponAvisoNuevos(const QString &texto)
{
    avisoNuevos_ = texto;
    emit avisoNuevosCambiado(texto);
}

void Sesion::ponDescargando(bool valor)
{
    if (descargando_ == valor)
        return;
    descargando_ = valor;
    emit descargaCambiada(valor);
}

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
