// The manual's window never holds the program up: a page over the size limit says so instead
// of being read, a big table is shown as its text, and the pictures a page names come from
// the manual's folder only, whatever the text asks.
#include "app/manual.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {
void escribe(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A Markdown table of about `bytes` bytes whose last row names how many rows it has.
QByteArray tabla(qint64 bytes)
{
    QByteArray t = "| número | texto |\n|---|---|\n";
    int fila = 0;
    while (t.size() < bytes)
        t += "| " + QByteArray::number(++fila) + " | fila de la tabla del manual |\n";
    return t + "| fin | " + QByteArray::number(fila) + " filas |\n";
}
} // namespace

class TstManual : public QObject {
    Q_OBJECT
private slots:
    void unaPaginaDemasiadoGrandeLoDice()
    {
        QTemporaryDir d;
        const QString ruta = d.filePath(QStringLiteral("manual/manual.md"));
        escribe(ruta, QByteArray("# Manual enorme\n\n") + QByteArray(3 * 1024 * 1024, 'a'));
        Manual m(ruta);
        const QString texto = m.texto()->toPlainText();
        QVERIFY2(texto.startsWith(QString::fromUtf8("El manual ") + QDir::toNativeSeparators(ruta) +
                                  QString::fromUtf8(" ocupa 3,0 MB y esta ventana solo muestra "
                                                    "páginas de hasta 2,0 MB.")),
                 qPrintable(texto));
        QVERIFY(!texto.contains(QStringLiteral("Manual enorme")));
    }

    void unaTablaGrandeSeMuestraComoTexto()
    {
        QTemporaryDir d;
        const QString ruta = d.filePath(QStringLiteral("manual.md"));
        const QByteArray grande = tabla(1900 * 1024);
        escribe(ruta, grande);
        Manual m(ruta);
        QVERIFY(!m.texto()->conFormato());
        const QString texto = m.texto()->toPlainText();
        QVERIFY(texto.startsWith(QString::fromUtf8("Esta página del manual es demasiado extensa")));
        QVERIFY(texto.contains(QString::fromUtf8(grande.right(30)).trimmed()));

        // Few bytes but many rows is just as slow to lay out.
        escribe(ruta, tabla(64 * 1024));
        Manual filas(ruta);
        QVERIFY(!filas.texto()->conFormato());

        // The manual as it is, a table of a few rows included, keeps its formatting.
        escribe(ruta, "# Sorteos\n\n" + tabla(300));
        Manual pequeno(ruta);
        QVERIFY(pequeno.texto()->conFormato());
        QVERIFY(!pequeno.texto()->toPlainText().contains(QStringLiteral("|---|")));
    }

    // The table of contents of the manual that ships links to its chapters, and a link
    // followed moves the page to its heading.
    void elIndiceLlevaASusCapitulos()
    {
        Manual m(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/../docs/manual/manual.md"));
        m.resize(800, 600);
        m.show();
        QStringList titulos;
        QStringList enlaces;
        for (QTextBlock b = m.texto()->document()->begin(); b.isValid(); b = b.next())
            for (auto f = b.begin(); !f.atEnd(); ++f) {
                const QTextCharFormat formato = f.fragment().charFormat();
                if (b.blockFormat().headingLevel() > 0)
                    titulos += formato.anchorNames();
                else if (formato.anchorHref().startsWith(QLatin1Char('#')))
                    enlaces += formato.anchorHref();
            }
        QCOMPARE(enlaces.size(), 13);
        for (const QString &enlace : enlaces)
            QVERIFY2(titulos.contains(QUrl(enlace).fragment()), qPrintable(enlace));
        QCOMPARE(m.texto()->verticalScrollBar()->value(), 0);
        m.abreEnlace(QUrl(enlaces.last()));
        QVERIFY(m.texto()->verticalScrollBar()->value() > 0);
    }

    void enlacesEImagenesSoloDeSuCarpeta()
    {
        QTemporaryDir d;
        QImage imagen(4, 4, QImage::Format_RGB32);
        imagen.fill(Qt::red);
        QVERIFY(imagen.save(d.filePath(QStringLiteral("fuera.png"))));
        QDir().mkpath(d.filePath(QStringLiteral("manual")));
        QVERIFY(imagen.save(d.filePath(QStringLiteral("manual/dentro.png"))));
        const QString ruta = d.filePath(QStringLiteral("manual/manual.md"));
        escribe(ruta, "# Manual\n\n![a](dentro.png)\n\n![b](../fuera.png)\n\n[Otra](otra.md)\n");
        escribe(d.filePath(QStringLiteral("manual/otra.md")), QByteArray(3 * 1024 * 1024, 'b'));
        Manual m(ruta);
        QTextDocument *documento = m.texto()->document();
        QVERIFY(
            !documento->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("dentro.png")))
                 .isNull());
        // Refused by the manual's text, and not read by the document on its own either.
        QVERIFY(
            documento->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("../fuera.png")))
                .isNull());

        // A page it links to is bounded just as the first one.
        m.abreEnlace(QUrl(QStringLiteral("otra.md")));
        QVERIFY(m.texto()->toPlainText().contains(QStringLiteral("ocupa 3,0 MB")));
        m.abreEnlace(QUrl(QStringLiteral("../fuera.png")));
        QVERIFY(m.texto()->toPlainText().startsWith(
            QString::fromUtf8("No se puede leer la página del manual")));
    }
};

QTEST_MAIN(TstManual)
#include "tst_manual.moc"
