#pragma once

// Reads the report database the way any SQLCipher client would: the plain SQLite API and the
// password, none of the program's own database code.
#include <QList>
#include <QString>
#include <QVariant>
#include <sqlcipher/sqlite3.h>

struct LecturaBase {
    int codigo = SQLITE_OK; // result of the query (SQLITE_NOTADB when the key does not fit)
    QList<QVariantList> filas;
};

inline LecturaBase leeBase(const QString &ruta, const QString &sql,
                           const char *clave = "qorvemtaslubinkedaro")
{
    LecturaBase r;
    sqlite3 *db = nullptr;
    r.codigo = sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (r.codigo == SQLITE_OK && clave) {
        const QByteArray orden = QByteArray("PRAGMA key = '") + clave + "';";
        r.codigo = sqlite3_exec(db, orden.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt *s = nullptr;
    if (r.codigo == SQLITE_OK)
        r.codigo = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr);
    while (r.codigo == SQLITE_OK) {
        const int paso = sqlite3_step(s);
        if (paso != SQLITE_ROW) {
            if (paso != SQLITE_DONE)
                r.codigo = paso;
            break;
        }
        QVariantList fila;
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                fila.append(static_cast<qint64>(sqlite3_column_int64(s, c)));
                break;
            case SQLITE_FLOAT:
                fila.append(sqlite3_column_double(s, c));
                break;
            case SQLITE_NULL:
                fila.append(QVariant());
                break;
            default:
                fila.append(
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c))));
            }
        }
        r.filas.append(fila);
    }
    sqlite3_finalize(s);
    sqlite3_close_v2(db);
    return r;
}
