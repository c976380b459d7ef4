#include "reports/basedatos.h"
#include "archive/escritura.h"

#include <QFile>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace {
const char kClave[] = "qorvemtaslubinkedaro";

// SQLCipher stretches the password into the page key with 64,000 rounds of PBKDF2 on every
// opening, about 30 to 60 ms here; the statistics pass and every click on a syndicate open the
// database again. The files this program creates carry a fixed salt, and this is the key the
// password gives for it (PBKDF2-HMAC-SHA1, 64,000 rounds, 32 bytes), so opening one of them
// skips the stretching. The file stays an ordinary one keyed with the password: anyone
// opening it with the password gets the same key. A file with another salt (made elsewhere)
// is opened with the password itself.
const QByteArray kSal = QByteArrayLiteral("Bolarium-informe");
const char kClaveDerivada[] = "ae86cfa380b99eecb8c3d8eb4f99f72493d36bd01a9ffc339b9891559db9318b";

QByteArray ordenClave(bool derivada)
{
    if (derivada)
        return QByteArrayLiteral("PRAGMA key = \"x'") + kClaveDerivada + kSal.toHex() +
               QByteArrayLiteral("'\";");
    return QByteArrayLiteral("PRAGMA key = '") + kClave + QByteArrayLiteral("';");
}

bool tieneNuestraSal(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) && f.read(kSal.size()) == kSal;
}
} // namespace

// ---------------------------------------------------------------------------------------------

Consulta::~Consulta()
{
    sqlite3_finalize(sentencia_);
}

Consulta::Consulta(Consulta &&otra) noexcept : base_(otra.base_), sentencia_(otra.sentencia_)
{
    otra.sentencia_ = nullptr;
}

Consulta &Consulta::operator=(Consulta &&otra) noexcept
{
    if (this != &otra) {
        sqlite3_finalize(sentencia_);
        base_ = otra.base_;
        sentencia_ = otra.sentencia_;
        otra.sentencia_ = nullptr;
    }
    return *this;
}

bool Consulta::liga(int indice, const QVariant &valor)
{
    if (!sentencia_)
        return false;
    int r = SQLITE_OK;
    if (valor.isNull()) {
        r = sqlite3_bind_null(sentencia_, indice);
    } else {
        switch (valor.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
            r = sqlite3_bind_int64(sentencia_, indice, valor.toLongLong());
            break;
        case QMetaType::Float:
        case QMetaType::Double:
            r = sqlite3_bind_double(sentencia_, indice, valor.toDouble());
            break;
        default: {
            const QByteArray texto = valor.toString().toUtf8();
            r = sqlite3_bind_text(sentencia_, indice, texto.constData(),
                                  static_cast<int>(texto.size()), SQLITE_TRANSIENT);
        }
        }
    }
    return base_->anota(r);
}

bool Consulta::siguiente()
{
    if (!sentencia_)
        return false;
    const int r = sqlite3_step(sentencia_);
    if (r == SQLITE_ROW)
        return true;
    if (r != SQLITE_DONE)
        base_->anota(r);
    return false;
}

bool Consulta::ejecuta()
{
    if (!sentencia_)
        return false;
    const int r = sqlite3_step(sentencia_);
    sqlite3_reset(sentencia_);
    return base_->anota(r == SQLITE_DONE || r == SQLITE_ROW ? SQLITE_OK : r);
}

int Consulta::columnas() const
{
    return sentencia_ ? sqlite3_column_count(sentencia_) : 0;
}

QVariant Consulta::valor(int columna) const
{
    if (!sentencia_)
        return {};
    switch (sqlite3_column_type(sentencia_, columna)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(sentencia_, columna)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(sentencia_, columna));
    case SQLITE_NULL:
        return {};
    default: {
        const auto *texto =
            reinterpret_cast<const char *>(sqlite3_column_text(sentencia_, columna));
        return QVariant(QString::fromUtf8(texto, sqlite3_column_bytes(sentencia_, columna)));
    }
    }
}

// ---------------------------------------------------------------------------------------------

BaseDatos::~BaseDatos()
{
    cierra();
}

QByteArray BaseDatos::clave()
{
    return QByteArray(kClave);
}

bool BaseDatos::anota(int codigo)
{
    if (codigo == SQLITE_OK)
        return true;
    error_.codigo = codigo;
    error_.texto =
        db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(codigo));
    return false;
}

void BaseDatos::cierra()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool BaseDatos::abreConClave(const QString &ruta, bool claveDerivada)
{
    cierra();
    error_ = {};
    const int r =
        sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (r != SQLITE_OK) {
        anota(r);
        cierra();
        return false;
    }
    // The first statement that reads a page tells whether the key fits. The database is a
    // scratch copy refilled before each report, so it is not worth an fsync per write; a
    // file left damaged by a crash is made again from the schema.
    if (!ejecuta(QString::fromLatin1(ordenClave(claveDerivada))) ||
        !ejecuta(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
        !ejecuta(QStringLiteral("PRAGMA synchronous = OFF"))) {
        const ErrorBase guardado = error_;
        cierra();
        error_ = guardado;
        return false;
    }
    return true;
}

bool BaseDatos::abre(const QString &ruta)
{
    if (!QFileInfo(ruta).isFile()) {
        cierra();
        error_ = {SQLITE_CANTOPEN, QStringLiteral("No existe %1").arg(ruta)};
        return false;
    }
    if (tieneNuestraSal(ruta) && abreConClave(ruta, true))
        return true;
    return abreConClave(ruta, false);
}

bool BaseDatos::ejecuta(const QString &sql)
{
    if (!db_)
        return anota(SQLITE_MISUSE);
    char *mensaje = nullptr;
    const int r = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &mensaje);
    if (r != SQLITE_OK) {
        error_.codigo = r;
        error_.texto = mensaje ? QString::fromUtf8(mensaje) : QString::fromUtf8(sqlite3_errstr(r));
    }
    sqlite3_free(mensaje);
    return r == SQLITE_OK;
}

Consulta BaseDatos::prepara(const QString &sql)
{
    if (!db_) {
        anota(SQLITE_MISUSE);
        return {};
    }
    const QByteArray texto = sql.toUtf8();
    sqlite3_stmt *sentencia = nullptr;
    const int r = sqlite3_prepare_v2(db_, texto.constData(), static_cast<int>(texto.size()),
                                     &sentencia, nullptr);
    if (r != SQLITE_OK) {
        anota(r);
        sqlite3_finalize(sentencia);
        return {};
    }
    return Consulta(this, sentencia);
}

QVariant BaseDatos::valor(const QString &sql)
{
    Consulta c = prepara(sql);
    if (!c.siguiente())
        return {};
    return c.valor(0);
}

void BaseDatos::deshace()
{
    if (db_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool BaseDatos::crea(const QString &ruta, const QString &esquema, ErrorBase *error)
{
    ErrorBase propio;
    ErrorBase &e = error ? *error : propio;
    e = {};
    const QString nueva = ruta + QStringLiteral(".nueva");

    auto construye = [&](bool claveDerivada) {
        QFile::remove(nueva);
        QFile::remove(nueva + QStringLiteral("-journal"));
        sqlite3 *db = nullptr;
        int r = sqlite3_open_v2(QFile::encodeName(nueva).constData(), &db,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        char *mensaje = nullptr;
        if (r == SQLITE_OK)
            r = sqlite3_exec(db, ordenClave(claveDerivada).constData(), nullptr, nullptr, &mensaje);
        if (r == SQLITE_OK) {
            const QByteArray guion =
                QByteArrayLiteral("BEGIN;\n") + esquema.toUtf8() + QByteArrayLiteral("\n;COMMIT;");
            r = sqlite3_exec(db, guion.constData(), nullptr, nullptr, &mensaje);
        }
        if (r != SQLITE_OK) {
            e.codigo = r;
            e.texto = mensaje ? QString::fromUtf8(mensaje) : QString::fromUtf8(sqlite3_errstr(r));
        }
        sqlite3_free(mensaje);
        sqlite3_close_v2(db);
        return r == SQLITE_OK;
    };

    // Made with the stored key and then proved with the password itself: should a future
    // SQLCipher stretch the password differently, the file is made again with the password.
    bool hecha = construye(true);
    if (hecha) {
        BaseDatos prueba;
        if (!prueba.abreConClave(nueva, false)) {
            prueba.cierra();
            hecha = construye(false);
        }
    }
    if (!hecha) {
        QFile::remove(nueva);
        return false;
    }
    // A journal left by a crash beside the old file would be replayed onto the new one.
    QFile::remove(ruta + QStringLiteral("-journal"));
    if (archivos::reemplaza(nueva, ruta) != Escritura::Hecha) {
        QFile::remove(nueva);
        e = {SQLITE_CANTOPEN, QStringLiteral("No se puede escribir %1").arg(ruta)};
        return false;
    }
    return true;
}
