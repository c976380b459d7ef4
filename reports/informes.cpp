#include "reports/informes.h"
#include "archive/fechas.h"
#include "reports/esquema_generado.h"

#include <QDir>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace informes {

namespace {
// Selecting every field proves the tables and fields exist; the single-row tables must hold
// their row, or the writers would have nothing to overwrite.
bool esquemaCompleto(BaseDatos &base)
{
    const char *const consultas[] = {
        R"(SELECT "Frase" FROM "Informe" LIMIT 0)",
        R"(SELECT "Dia1", "Dia2", "Total", "Diasajugar" FROM "Sorteos" LIMIT 0)",
        R"(SELECT "Numero", "Veces" FROM "Numeros" LIMIT 0)",
        R"(SELECT "Nombre", "Diasajugar", "Dinero", "Dia1", "Dia2", "Aciertos", "Sorteos",)"
        R"( "3", "4", "5", "5C", "6" FROM "Peña" LIMIT 0)",
        R"(SELECT "Numeros" FROM "Peñanums" LIMIT 0)",
        R"(SELECT "Premios", "Jugado", "Balance", "SinImporte", "Jugados", "Joker", "Retencion",)"
        R"( "Neto", "Pendientes" FROM "Ganancias" LIMIT 0)",
        R"(SELECT "Fecha", "Premios", "Joker", "Importe" FROM "Premiados" LIMIT 0)",
        R"(SELECT "Nombre", "Participaciones", "Premios", "Jugado", "Balance" FROM "Socios")"
        R"( LIMIT 0)",
        R"(SELECT "Pagado", "Entregado", "Bote", "Reparten" FROM "Cuentas" LIMIT 0)",
        R"(SELECT "Nombre", "Pagado", "Entregado", "Saldo" FROM "Saldos" LIMIT 0)"};
    for (const char *sql : consultas)
        if (!base.prepara(QString::fromUtf8(sql)).valida())
            return false;
    const QVariant filas = base.valor(QString::fromUtf8(
        R"(SELECT min((SELECT count(*) FROM "Informe"), (SELECT count(*) FROM "Sorteos"),)"
        R"( (SELECT count(*) FROM "Peña"), (SELECT count(*) FROM "Ganancias"),)"
        R"( (SELECT count(*) FROM "Cuentas")))"));
    return filas.isValid() && filas.toLongLong() > 0;
}

// Runs `escribe` inside a transaction on a freshly opened database and closes it.
template <typename F> bool enTransaccion(const QString &carpeta, ErrorBase *error, F escribe)
{
    BaseDatos base;
    if (!abre(base, carpeta, error))
        return false;
    const bool hecho = base.empieza() && escribe(base) && base.confirma();
    if (!hecho) {
        if (error)
            *error = base.error();
        base.deshace();
    }
    return hecho;
}

const char kPrimera[] = " WHERE rowid = (SELECT min(rowid) FROM ";
} // namespace

QString rutaBase(const QString &carpeta)
{
    return QDir(carpeta).filePath(QStringLiteral("Bolarium.mdb"));
}

QString esquema()
{
    return QString::fromUtf8(kEsquemaInformes);
}

bool bloqueada(const ErrorBase &error)
{
    const int primario = error.codigo & 0xff;
    return primario == SQLITE_BUSY || primario == SQLITE_LOCKED;
}

QString textoFallo(const QString &carpeta, const ErrorBase &error)
{
    const QString ruta = QDir::toNativeSeparators(rutaBase(carpeta));
    const QString pie = QString::fromUtf8(" Los datos del programa no se ven afectados; sólo los "
                                          "informes impresos quedan sin actualizar. Error %1")
                            .arg(error.codigo);
    const QFileInfo info(rutaBase(carpeta));
    if (info.exists() && !info.isFile())
        return QString::fromUtf8("En el lugar de la base de datos de informes %1 hay algo que no "
                                 "es un archivo (una carpeta, por ejemplo). Quítelo de ahí y el "
                                 "programa la creará de nuevo.")
                   .arg(ruta) +
               pie;
    switch (error.codigo & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QString::fromUtf8("La base de datos de informes %1 está bloqueada: otro programa "
                                 "la está usando. Ciérrelo y vuelva a intentarlo.")
                   .arg(ruta) +
               pie;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QString::fromUtf8("No se puede escribir en la base de datos de informes %1: el "
                                 "archivo o su carpeta son de sólo lectura. Compruebe sus "
                                 "permisos.")
                   .arg(ruta) +
               pie;
    case SQLITE_FULL:
        return QString::fromUtf8("No se puede escribir en la base de datos de informes %1: el "
                                 "disco está lleno.")
                   .arg(ruta) +
               pie;
    default:
        return QString::fromUtf8("No se ha podido escribir en la base de datos de informes %1 "
                                 "(%2).")
                   .arg(ruta, error.texto.isEmpty() ? QString::number(error.codigo) : error.texto) +
               pie;
    }
}

bool abre(BaseDatos &base, const QString &carpeta, ErrorBase *error)
{
    const QString ruta = rutaBase(carpeta);
    if (base.abre(ruta) && esquemaCompleto(base))
        return true;
    // A database another program is writing is not damaged: making it again would take its
    // place from under that program.
    if (bloqueada(base.error())) {
        if (error)
            *error = base.error();
        base.cierra();
        return false;
    }
    base.cierra();
    ErrorBase propio;
    if (!BaseDatos::crea(ruta, esquema(), &propio) || !base.abre(ruta) || !esquemaCompleto(base)) {
        if (!propio.hay())
            propio = base.error().hay() ? base.error() : ErrorBase{1, QStringLiteral("esquema")};
        base.cierra();
        if (error)
            *error = propio;
        return false;
    }
    return true;
}

QVariant fechaBase(double serial)
{
    const QDate d = serial == 0 ? QDate() : fechas::dia(serial);
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

double fechaDeBase(const QVariant &valor)
{
    if (valor.isNull())
        return 0;
    return fechas::serial(QDate::fromString(valor.toString(), Qt::ISODate));
}

bool escribeFrase(const QString &carpeta, const QString &frase, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        Consulta c = base.prepara(QString::fromUtf8(R"(UPDATE "Informe" SET "Frase" = ?1)") +
                                  QString::fromUtf8(kPrimera) + QStringLiteral("\"Informe\")"));
        return c.liga(1, frase) && c.ejecuta();
    });
}

bool escribeSorteos(const QString &carpeta, const FilaSorteos &fila, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(UPDATE "Sorteos" SET "Dia1" = ?1, "Dia2" = ?2, "Total" = ?3,)"
                              R"( "Diasajugar" = ?4)") +
            QString::fromUtf8(kPrimera) + QStringLiteral("\"Sorteos\")"));
        return c.liga(1, fechaBase(fila.dia1)) && c.liga(2, fechaBase(fila.dia2)) &&
               c.liga(3, fila.total) && c.liga(4, fila.diasajugar) && c.ejecuta();
    });
}

bool escribeNumeros(const QString &carpeta, const std::vector<FilaNumero> &filas, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        if (!base.ejecuta(QStringLiteral("DELETE FROM \"Numeros\"")))
            return false;
        Consulta c = base.prepara(
            QStringLiteral("INSERT INTO \"Numeros\" (\"Numero\", \"Veces\") VALUES (?1, ?2)"));
        for (const FilaNumero &f : filas)
            if (!c.liga(1, f.numero) || !c.liga(2, f.veces) || !c.ejecuta())
                return false;
        return c.valida();
    });
}

bool escribePena(const QString &carpeta, const FilaPena &fila, float *dineroLeido, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(UPDATE "Peña" SET "Nombre" = ?1, "Diasajugar" = ?2,)"
                              R"( "Dinero" = ?3, "Dia1" = ?4, "Dia2" = ?5, "Aciertos" = ?6,)"
                              R"( "Sorteos" = ?7, "3" = ?8, "4" = ?9, "5" = ?10, "5C" = ?11,)"
                              R"( "6" = ?12)") +
            QString::fromUtf8(kPrimera) + QString::fromUtf8("\"Peña\")"));
        bool ok = c.liga(1, fila.nombre) && c.liga(2, fila.diasajugar) &&
                  c.liga(3, static_cast<double>(fila.dinero)) && c.liga(4, fechaBase(fila.dia1)) &&
                  c.liga(5, fechaBase(fila.dia2)) && c.liga(6, fila.aciertos) &&
                  c.liga(7, fila.sorteos);
        for (int i = 0; ok && i < 5; ++i)
            ok = c.liga(8 + i, static_cast<int>(fila.premios[static_cast<size_t>(i)]));
        if (!ok || !c.ejecuta())
            return false;
        if (dineroLeido) {
            const QVariant v =
                base.valor(QString::fromUtf8(R"(SELECT "Dinero" FROM "Peña")") +
                           QString::fromUtf8(kPrimera) + QString::fromUtf8("\"Peña\")"));
            if (!v.isValid())
                return false;
            *dineroLeido = static_cast<float>(v.toDouble());
        }
        return true;
    });
}

bool escribePenanums(const QString &carpeta, const QStringList &apuestas, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        if (!base.ejecuta(QString::fromUtf8("DELETE FROM \"Peñanums\"")))
            return false;
        Consulta c =
            base.prepara(QString::fromUtf8("INSERT INTO \"Peñanums\" (\"Numeros\") VALUES (?1)"));
        for (const QString &a : apuestas)
            if (!c.liga(1, a) || !c.ejecuta())
                return false;
        return c.valida();
    });
}

bool escribeGanancias(const QString &carpeta, const FilaGanancias &fila,
                      const std::vector<FilaPremiado> &premiados,
                      const std::vector<FilaSocio> &socios, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(UPDATE "Ganancias" SET "Premios" = ?1, "Jugado" = ?2,)"
                              R"( "Balance" = ?3, "SinImporte" = ?4, "Jugados" = ?5, "Joker" = ?6,)"
                              R"( "Retencion" = ?7, "Neto" = ?8, "Pendientes" = ?9)") +
            QString::fromUtf8(kPrimera) + QStringLiteral("\"Ganancias\")"));
        if (!c.liga(1, fila.premios) || !c.liga(2, fila.jugado) || !c.liga(3, fila.balance) ||
            !c.liga(4, fila.sinImporte) || !c.liga(5, fila.jugados) || !c.liga(6, fila.joker) ||
            !c.liga(7, fila.retencion) || !c.liga(8, fila.neto) || !c.liga(9, fila.pendientes) ||
            !c.ejecuta())
            return false;
        if (!base.ejecuta(QStringLiteral("DELETE FROM \"Premiados\"")))
            return false;
        Consulta p = base.prepara(
            QString::fromUtf8(R"(INSERT INTO "Premiados" ("Fecha", "Premios", "Joker", "Importe"))"
                              R"( VALUES (?1, ?2, ?3, ?4))"));
        for (const FilaPremiado &f : premiados)
            if (!p.liga(1, fechaBase(f.fecha)) || !p.liga(2, f.premios) || !p.liga(3, f.joker) ||
                !p.liga(4, f.importe < 0 ? QVariant() : QVariant(f.importe)) || !p.ejecuta())
                return false;
        if (!p.valida())
            return false;
        if (!base.ejecuta(QStringLiteral("DELETE FROM \"Socios\"")))
            return false;
        Consulta s = base.prepara(
            QString::fromUtf8(R"(INSERT INTO "Socios" ("Nombre", "Participaciones", "Premios",)"
                              R"( "Jugado", "Balance") VALUES (?1, ?2, ?3, ?4, ?5))"));
        for (const FilaSocio &f : socios)
            if (!s.liga(1, f.nombre) || !s.liga(2, f.participaciones) || !s.liga(3, f.premios) ||
                !s.liga(4, f.jugado) || !s.liga(5, f.balance) || !s.ejecuta())
                return false;
        return s.valida();
    });
}

bool escribeCuentas(const QString &carpeta, const FilaCuentas &fila,
                    const std::vector<FilaSaldo> &saldos, ErrorBase *error)
{
    return enTransaccion(carpeta, error, [&](BaseDatos &base) {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(UPDATE "Cuentas" SET "Pagado" = ?1, "Entregado" = ?2,)"
                              R"( "Bote" = ?3, "Reparten" = ?4)") +
            QString::fromUtf8(kPrimera) + QStringLiteral("\"Cuentas\")"));
        if (!c.liga(1, fila.pagado) || !c.liga(2, fila.entregado) || !c.liga(3, fila.bote) ||
            !c.liga(4, fila.reparten ? 1 : 0) || !c.ejecuta())
            return false;
        if (!base.ejecuta(QStringLiteral("DELETE FROM \"Saldos\"")))
            return false;
        Consulta s = base.prepara(
            QString::fromUtf8(R"(INSERT INTO "Saldos" ("Nombre", "Pagado", "Entregado", "Saldo"))"
                              R"( VALUES (?1, ?2, ?3, ?4))"));
        for (const FilaSaldo &f : saldos)
            if (!s.liga(1, f.nombre) || !s.liga(2, f.pagado) || !s.liga(3, f.entregado) ||
                !s.liga(4, f.saldo) || !s.ejecuta())
                return false;
        return s.valida();
    });
}

bool lee(const QString &carpeta, Contenido &contenido, ErrorBase *error)
{
    BaseDatos base;
    if (!abre(base, carpeta, error))
        return false;
    Contenido r;
    bool ok = true;
    {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(SELECT "Frase" FROM "Informe" ORDER BY rowid LIMIT 1)"));
        ok = ok && c.siguiente();
        r.frase = c.valor(0).toString();
    }
    {
        Consulta c = base.prepara(QString::fromUtf8(
            R"(SELECT "Dia1", "Dia2", "Total", "Diasajugar" FROM "Sorteos" ORDER BY rowid LIMIT 1)"));
        ok = ok && c.siguiente();
        r.sorteos = {fechaDeBase(c.valor(0)), fechaDeBase(c.valor(1)),
                     static_cast<int>(c.valor(2).toLongLong()), c.valor(3).toString()};
    }
    {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(SELECT "Numero", "Veces" FROM "Numeros" ORDER BY rowid)"));
        ok = ok && c.valida();
        while (c.siguiente())
            r.numeros.push_back({static_cast<int>(c.valor(0).toLongLong()),
                                 static_cast<int>(c.valor(1).toLongLong())});
    }
    {
        Consulta c = base.prepara(QString::fromUtf8(
            R"(SELECT "Nombre", "Diasajugar", "Dinero", "Dia1", "Dia2", "Aciertos", "Sorteos",)"
            R"( "3", "4", "5", "5C", "6" FROM "Peña" ORDER BY rowid LIMIT 1)"));
        ok = ok && c.siguiente();
        FilaPena &p = r.pena;
        p.nombre = c.valor(0).toString();
        p.diasajugar = c.valor(1).toString();
        p.dinero = static_cast<float>(c.valor(2).toDouble());
        p.dia1 = fechaDeBase(c.valor(3));
        p.dia2 = fechaDeBase(c.valor(4));
        p.aciertos = c.valor(5).toString();
        p.sorteos = c.valor(6).toDouble();
        for (int i = 0; i < 5; ++i)
            p.premios[static_cast<size_t>(i)] = static_cast<qint16>(c.valor(7 + i).toLongLong());
    }
    {
        Consulta c =
            base.prepara(QString::fromUtf8(R"(SELECT "Numeros" FROM "Peñanums" ORDER BY rowid)"));
        ok = ok && c.valida();
        while (c.siguiente())
            r.penanums.append(c.valor(0).toString());
    }
    {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(SELECT "Premios", "Jugado", "Balance", "SinImporte", "Jugados",)"
                              R"( "Joker", "Retencion", "Neto", "Pendientes")"
                              R"( FROM "Ganancias" ORDER BY rowid LIMIT 1)"));
        ok = ok && c.siguiente();
        r.ganancias = {c.valor(0).toLongLong(),
                       c.valor(1).toLongLong(),
                       c.valor(2).toLongLong(),
                       static_cast<int>(c.valor(3).toLongLong()),
                       static_cast<int>(c.valor(4).toLongLong()),
                       c.valor(5).toLongLong(),
                       c.valor(6).toLongLong(),
                       c.valor(7).toLongLong(),
                       static_cast<int>(c.valor(8).toLongLong())};
    }
    {
        Consulta c = base.prepara(QString::fromUtf8(
            R"(SELECT "Fecha", "Premios", "Joker", "Importe" FROM "Premiados" ORDER BY rowid)"));
        ok = ok && c.valida();
        while (c.siguiente())
            r.premiados.push_back({fechaDeBase(c.valor(0)), c.valor(1).toString(),
                                   c.valor(2).toString(),
                                   c.valor(3).isNull() ? -1 : c.valor(3).toLongLong()});
    }
    {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(SELECT "Nombre", "Participaciones", "Premios", "Jugado",)"
                              R"( "Balance" FROM "Socios" ORDER BY rowid)"));
        ok = ok && c.valida();
        while (c.siguiente())
            r.socios.push_back({c.valor(0).toString(), c.valor(1).toLongLong(),
                                c.valor(2).toLongLong(), c.valor(3).toLongLong(),
                                c.valor(4).toLongLong()});
    }
    {
        Consulta c = base.prepara(
            QString::fromUtf8(R"(SELECT "Pagado", "Entregado", "Bote", "Reparten" FROM "Cuentas")"
                              R"( ORDER BY rowid LIMIT 1)"));
        ok = ok && c.siguiente();
        r.cuentas = {c.valor(0).toLongLong(), c.valor(1).toLongLong(), c.valor(2).toLongLong(),
                     c.valor(3).toLongLong() != 0};
    }
    {
        Consulta c = base.prepara(QString::fromUtf8(
            R"(SELECT "Nombre", "Pagado", "Entregado", "Saldo" FROM "Saldos" ORDER BY rowid)"));
        ok = ok && c.valida();
        while (c.siguiente())
            r.saldos.push_back({c.valor(0).toString(), c.valor(1).toLongLong(),
                                c.valor(2).toLongLong(), c.valor(3).toLongLong()});
    }
    if (!ok) {
        if (error)
            *error = base.error().hay() ? base.error() : ErrorBase{1, QStringLiteral("sin fila")};
        return false;
    }
    contenido = std::move(r);
    return true;
}

} // namespace informes
