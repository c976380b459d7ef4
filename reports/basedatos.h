#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// What went wrong in the report database: the SQLite result code (0 = nothing) and its text.
struct ErrorBase {
    int codigo = 0;
    QString texto;
    bool hay() const { return codigo != 0; }
};

class BaseDatos;

// A prepared statement, finalized when it goes out of scope.
class Consulta {
public:
    Consulta() = default;
    ~Consulta();
    Consulta(Consulta &&otra) noexcept;
    Consulta &operator=(Consulta &&otra) noexcept;
    Consulta(const Consulta &) = delete;
    Consulta &operator=(const Consulta &) = delete;

    bool valida() const { return sentencia_ != nullptr; }
    // Parameters are 1-based. A null QVariant binds NULL; numbers bind as integers or reals,
    // everything else as UTF-8 text.
    bool liga(int indice, const QVariant &valor);
    // Next row: true while a row is ready, false at the end or on an error (see BaseDatos).
    bool siguiente();
    // Runs a statement that returns no rows and resets it for another use.
    bool ejecuta();
    int columnas() const;
    QVariant valor(int columna) const; // 0-based

private:
    friend class BaseDatos;
    Consulta(BaseDatos *base, sqlite3_stmt *sentencia) : base_(base), sentencia_(sentencia) {}
    BaseDatos *base_ = nullptr;
    sqlite3_stmt *sentencia_ = nullptr;
};

// A connection to an SQLCipher file, closed when it goes out of scope. The file is always
// opened with the report database password; a file that the password does not open, or that
// is not a database at all, fails to open.
class BaseDatos {
public:
    BaseDatos() = default;
    ~BaseDatos();
    BaseDatos(const BaseDatos &) = delete;
    BaseDatos &operator=(const BaseDatos &) = delete;

    // Opens an existing file (never creates one). False with error() set when it cannot be
    // opened or read with the password.
    bool abre(const QString &ruta);
    void cierra();
    bool abierta() const { return db_ != nullptr; }

    // Runs one or more statements separated by semicolons.
    bool ejecuta(const QString &sql);
    Consulta prepara(const QString &sql);
    // One value of the first row of a query; a null QVariant when there is no row or on error.
    QVariant valor(const QString &sql);

    bool empieza() { return ejecuta(QStringLiteral("BEGIN")); }
    bool confirma() { return ejecuta(QStringLiteral("COMMIT")); }
    void deshace();

    const ErrorBase &error() const { return error_; }

    // Creates a new file at `ruta` from a schema script, keyed with the password. It is built
    // beside the destination and moved over it in one step, so a half-made database never
    // takes the place of a good one.
    static bool crea(const QString &ruta, const QString &esquema, ErrorBase *error = nullptr);

    // The password of the report database.
    static QByteArray clave();

private:
    friend class Consulta;
    bool abreConClave(const QString &ruta, bool claveDerivada);
    bool anota(int codigo);

    sqlite3 *db_ = nullptr;
    ErrorBase error_;
};
