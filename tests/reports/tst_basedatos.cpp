#include "apoyo/carpetaprueba.h"
#include "apoyo/leebase.h"
#include "reports/basedatos.h"
#include "reports/informes.h"

#include <QFile>
#include <QFileInfo>
#include <QPasswordDigestor>
#include <QTest>

class TstBaseDatos : public QObject {
    Q_OBJECT

    static QString base(const CarpetaPrueba &c) { return informes::rutaBase(c.ruta()); }

private slots:
    void laBaseEntregadaTieneSusTablasYFilas()
    {
        // The build makes the database next to the program from data/Bolarium.sql.
        const QString entregada = QFileInfo(QStringLiteral(BOLARIUM_PROGRAMA))
                                      .dir()
                                      .filePath(QStringLiteral("Bolarium.mdb"));
        QVERIFY2(QFileInfo::exists(entregada), qPrintable(entregada));
        const auto r =
            leeBase(entregada, QString::fromUtf8("SELECT (SELECT count(*) FROM \"Informe\"),"
                                                 " (SELECT count(*) FROM \"Sorteos\"),"
                                                 " (SELECT count(*) FROM \"Peña\"),"
                                                 " (SELECT count(*) FROM \"Numeros\"),"
                                                 " (SELECT count(*) FROM \"Peñanums\")"));
        QCOMPARE(r.codigo, SQLITE_OK);
        QCOMPARE(r.filas.size(), 1);
        QCOMPARE(r.filas[0], (QVariantList{1, 1, 1, 0, 0}));
        QCOMPARE(leeBase(entregada, QStringLiteral("SELECT count(*) FROM sqlite_master"), nullptr)
                     .codigo,
                 SQLITE_NOTADB);
        QCOMPARE(
            leeBase(entregada, QStringLiteral("SELECT count(*) FROM sqlite_master"), "otraclave")
                .codigo,
            SQLITE_NOTADB);
    }

    void laClaveGuardadaEsLaQueDaLaContrasena()
    {
        // Files of ours skip the key stretching with a stored key; it must be exactly what the
        // password gives for their salt, or other clients could not open them.
        const QByteArray clave =
            QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha1, BaseDatos::clave(),
                                               QByteArrayLiteral("Bolarium-informe"), 64000, 32);
        CarpetaPrueba c;
        QVERIFY(BaseDatos::crea(base(c), informes::esquema()));
        QCOMPARE(c.lee(QStringLiteral("Bolarium.mdb")).left(16), QByteArray("Bolarium-informe"));
        const QByteArray orden =
            "PRAGMA key = \"x'" + clave.toHex() + QByteArray("Bolarium-informe").toHex() + "'\";";
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(base(c).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        sqlite3_exec(db, orden.constData(), nullptr, nullptr, nullptr);
        QCOMPARE(sqlite3_exec(db, "SELECT count(*) FROM \"Informe\"", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close_v2(db);
    }

    void unaBaseQueFaltaOEstaDanadaSeHaceDeNuevo_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::newRow("falta") << QByteArray();
        QTest::newRow("basura") << QByteArray(5000, 'x');
        QTest::newRow("vacía") << QByteArray("");
    }
    void unaBaseQueFaltaOEstaDanadaSeHaceDeNuevo()
    {
        QFETCH(QByteArray, contenido);
        CarpetaPrueba c;
        if (!contenido.isNull())
            c.escribe(QStringLiteral("Bolarium.mdb"), contenido);
        ErrorBase error;
        QVERIFY(informes::escribeFrase(c.ruta(), QStringLiteral("3-12"), &error));
        QCOMPARE(error.codigo, 0);
        const auto r = leeBase(base(c), QStringLiteral("SELECT \"Frase\" FROM \"Informe\""));
        QCOMPARE(r.codigo, SQLITE_OK);
        QCOMPARE(r.filas, (QList<QVariantList>{{QStringLiteral("3-12")}}));
        QVERIFY(!QFileInfo::exists(base(c) + QStringLiteral(".nueva")));
    }

    void otraClaveOUnaFilaQueFaltaTambienSeRehacen()
    {
        CarpetaPrueba c;
        // A database under another password: not ours to read, made again.
        {
            sqlite3 *db = nullptr;
            sqlite3_open(base(c).toUtf8().constData(), &db);
            sqlite3_exec(db, "PRAGMA key = 'otra'; CREATE TABLE x (a);", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        QVERIFY(informes::escribeSorteos(c.ruta(), {1000, 2000, 7, QStringLiteral("Jueves.")}));
        auto r = leeBase(base(c),
                         QStringLiteral("SELECT \"Dia1\", \"Dia2\", \"Total\" FROM \"Sorteos\""));
        QCOMPARE(r.filas.size(), 1);
        QCOMPARE(r.filas[0][2], QVariant(qint64(7)));

        // The single row of "Informe" deleted by hand: the writer has nothing to overwrite,
        // so the database is made again instead of failing for good.
        {
            sqlite3 *db = nullptr;
            sqlite3_open(base(c).toUtf8().constData(), &db);
            sqlite3_exec(db, "PRAGMA key = 'qorvemtaslubinkedaro'; DELETE FROM \"Informe\";",
                         nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        QVERIFY(informes::escribeFrase(c.ruta(), QStringLiteral("nueva")));
        r = leeBase(base(c), QStringLiteral("SELECT \"Frase\" FROM \"Informe\""));
        QCOMPARE(r.filas, (QList<QVariantList>{{QStringLiteral("nueva")}}));
    }

    void unaBaseConOtraSalSeAbreConLaContrasena()
    {
        // A database made by any SQLCipher client with the password is used as it is.
        CarpetaPrueba c;
        {
            sqlite3 *db = nullptr;
            sqlite3_open(base(c).toUtf8().constData(), &db);
            sqlite3_exec(db, "PRAGMA key = 'qorvemtaslubinkedaro';", nullptr, nullptr, nullptr);
            sqlite3_exec(db, informes::esquema().toUtf8().constData(), nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const QByteArray sal = c.lee(QStringLiteral("Bolarium.mdb")).left(16);
        QVERIFY(sal != QByteArray("Bolarium-informe"));
        QVERIFY(informes::escribeNumeros(c.ruta(), {{7, 30}, {3, 29}}));
        QCOMPARE(c.lee(QStringLiteral("Bolarium.mdb")).left(16), sal); // not made again
        const auto r =
            leeBase(base(c),
                    QStringLiteral("SELECT \"Numero\", \"Veces\" FROM \"Numeros\" ORDER BY rowid"));
        QCOMPARE(r.filas, (QList<QVariantList>{{qint64(7), qint64(30)}, {qint64(3), qint64(29)}}));
    }

    void lasTablasQueSeRehacenQuedanSoloConLoNuevo()
    {
        CarpetaPrueba c;
        QVERIFY(informes::escribeNumeros(c.ruta(), {{1, 1}, {2, 2}, {3, 3}}));
        QVERIFY(informes::escribeNumeros(c.ruta(), {{9, 5}}));
        QVERIFY(informes::escribePenanums(c.ruta(), {QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(informes::escribePenanums(c.ruta(), {QStringLiteral(" 1- 2- 3- 4- 5- 6")}));
        informes::Contenido leido;
        QVERIFY(informes::lee(c.ruta(), leido));
        QCOMPARE(leido.numeros, (std::vector<informes::FilaNumero>{{9, 5}}));
        QCOMPARE(leido.penanums, QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6")});
        // A number that no draw can have is refused by the table, and nothing is half written.
        QVERIFY(!informes::escribeNumeros(c.ruta(), {{4, 1}, {50, 1}}));
        QVERIFY(informes::lee(c.ruta(), leido));
        QCOMPARE(leido.numeros, (std::vector<informes::FilaNumero>{{9, 5}}));
    }

    void lasFechasVanComoTextoIsoYElCeroComoNulo()
    {
        CarpetaPrueba c;
        const double dia = 46023; // 1 January 2026
        QVERIFY(informes::escribeSorteos(c.ruta(), {0, dia, 3, QStringLiteral("Jueves.")}));
        const auto r =
            leeBase(base(c), QStringLiteral("SELECT \"Dia1\", \"Dia2\" FROM \"Sorteos\""));
        QCOMPARE(r.filas[0][0], QVariant());
        QCOMPARE(r.filas[0][1], QVariant(QStringLiteral("2026-01-01")));
        informes::Contenido leido;
        QVERIFY(informes::lee(c.ruta(), leido));
        QCOMPARE(leido.sorteos.dia1, 0.0);
        QCOMPARE(leido.sorteos.dia2, dia);
    }
};

QTEST_GUILESS_MAIN(TstBaseDatos)
#include "tst_basedatos.moc"
