#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

CarpetaPrueba::CarpetaPrueba(const QString &dentroDe)
    : dir_(dentroDe + QStringLiteral("/carpeta-XXXXXX"))
{
    prepara();
}

CarpetaPrueba::CarpetaPrueba()
{
    prepara();
}

void CarpetaPrueba::prepara()
{
    QFile::copy(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/tablas.bin"),
                archivo(QStringLiteral("tablas.bin")));
    // Both sites point at a local port where nothing listens: a test that does not set up its
    // own stand-in server never reaches the internet.
    QSettings ini(archivo(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("operador/sitio"), QStringLiteral("http://127.0.0.1:9"));
    ini.setValue(QStringLiteral("operador/sitiopdf"), QStringLiteral("http://127.0.0.1:9"));
    ini.setValue(QStringLiteral("autor/web"), QStringLiteral("127.0.0.1:9"));
}

void CarpetaPrueba::escribe(const QString &nombre, const QByteArray &contenido) const
{
    QFile f(archivo(nombre));
    f.open(QIODevice::WriteOnly);
    f.write(contenido);
}

QByteArray CarpetaPrueba::lee(const QString &nombre) const
{
    QFile f(archivo(nombre));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void CarpetaPrueba::escribeSorteos(const std::vector<Sorteo> &sorteos) const
{
    escribe(QStringLiteral("numeros.dat"), ArchivoSorteos::serializa(sorteos));
}

void CarpetaPrueba::escribePenas(const std::vector<Pena> &penas) const
{
    QByteArray bytes;
    for (const Pena &p : penas)
        bytes += p.aBytes();
    escribe(QStringLiteral("apuestas.dat"), bytes);
}

QString CarpetaPrueba::historicoReal()
{
    const QString ruta = QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat");
    return QFileInfo::exists(ruta) ? ruta : QString();
}

Sorteo sorteoDe(const QDate &dia, int primero)
{
    Sorteo s;
    for (int i = 0; i < 6; ++i)
        s.numeros[static_cast<size_t>(i)] = static_cast<qint16>(primero + i);
    s.complementario = 49;
    s.reintegro = 3;
    s.fecha = fechas::serial(dia);
    return s;
}

Pena penaDe(const QString &nombre, const QString &dias, const QDate &desde)
{
    Pena p;
    p.ponNombre(nombre);
    p.ponDias(dias);
    p.tipo = 1;
    for (int i = 1; i <= 6; ++i)
        p.numero(1, i) = static_cast<qint16>(i);
    p.creacion = fechas::serial(desde);
    return p;
}
