#include "app/manual.h"
#include "archive/escritura.h"
#include "widgets/escritorio.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// A picture of the manual; nothing it ships is anywhere near this size.
constexpr qint64 kLimiteImagen = 16 * 1024 * 1024;
// Fits the window's width at its opening size.
constexpr int kAnchoImagen = 760;

// The document of a page asks the manual's text for its pictures and nothing else: a plain
// QTextDocument reads by itself, whole and from anywhere, a file the text refused.
class DocumentoManual : public QTextDocument {
public:
    explicit DocumentoManual(TextoManual *texto) : QTextDocument(texto), texto_(texto) {}

protected:
    QVariant loadResource(int tipo, const QUrl &nombre) override
    {
        return texto_->loadResource(tipo, nombre);
    }

private:
    TextoManual *texto_;
};

int filasDeTabla(const QString &texto)
{
    int filas = 0;
    bool contada = false; // the current line already counted
    for (const QChar c : texto) {
        if (c == QLatin1Char('\n'))
            contada = false;
        else if (c == QLatin1Char('|') && !contada) {
            contada = true;
            ++filas;
        }
    }
    return filas;
}

// The name a heading is linked by, as the Markdown sites make it: "## 3. Crear una peña" is
// "#3-crear-una-peña" (lower case, letters, digits and hyphens, a hyphen for each blank).
QString ancla(const QString &titulo)
{
    QString a;
    for (const QChar c : titulo.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            a += c;
        else if (c.isSpace())
            a += QLatin1Char('-');
    }
    return a;
}

// The headings of a Markdown page, named so that its table of contents can link to them.
void nombraTitulos(QTextDocument &documento)
{
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setAnchor(true);
        f.setAnchorNames({ancla(b.text())});
        c.mergeCharFormat(f);
    }
}

QString megas(qint64 bytes)
{
    return QLocale(QLocale::Spanish, QLocale::Spain)
        .toString(double(bytes) / (1024 * 1024), 'f', 1);
}
} // namespace

TextoManual::TextoManual(const QString &carpeta, QWidget *parent)
    : QTextBrowser(parent), carpeta_(QFileInfo(carpeta).canonicalFilePath())
{
}

QString TextoManual::dentro(const QUrl &nombre) const
{
    // Pictures and links are named relative to the page.
    const QUrl base =
        pagina_.isEmpty() ? QUrl::fromLocalFile(carpeta_ + QLatin1Char('/')) : pagina_;
    const QUrl resuelta = base.resolved(nombre);
    if (!resuelta.isLocalFile())
        return QString();
    // Links are followed first: a link inside the folder that points out of it counts as out.
    const QString ruta = QFileInfo(resuelta.toLocalFile()).canonicalFilePath();
    if (carpeta_.isEmpty() || ruta.isEmpty() || !ruta.startsWith(carpeta_ + QLatin1Char('/')))
        return QString();
    return ruta;
}

QVariant TextoManual::loadResource(int tipo, const QUrl &nombre)
{
    const QString ruta = dentro(nombre);
    if (ruta.isEmpty())
        return QVariant();
    QByteArray bytes;
    const bool imagen = tipo == QTextDocument::ImageResource;
    if (!archivos::lee(ruta, imagen ? kLimiteImagen : kLimitePagina, bytes))
        return QVariant();
    if (imagen) {
        // Screenshots of the whole window are wider than the manual's: shown whole, they would
        // need sideways scrolling to read the text beside them.
        QImage dibujo;
        if (!dibujo.loadFromData(bytes))
            return QVariant();
        if (dibujo.width() > kAnchoImagen)
            dibujo = dibujo.scaledToWidth(kAnchoImagen, Qt::SmoothTransformation);
        return dibujo;
    }
    return QString::fromUtf8(bytes);
}

void TextoManual::muestra(const QUrl &pagina)
{
    const QUrl sinAncla = pagina.adjusted(QUrl::RemoveFragment);
    const QString ruta = dentro(sinAncla);
    const QString nombre = QDir::toNativeSeparators(sinAncla.toLocalFile());
    // Built apart and only then given to the window: filled while on show, the document would
    // be laid out again after each of its pieces.
    auto *documento = new DocumentoManual(this);
    documento->setDefaultFont(font());
    conFormato_ = false;
    const qint64 tamano = ruta.isEmpty() ? -1 : archivos::tamano(ruta);
    QByteArray bytes;
    if (tamano > kLimitePagina) {
        documento->setPlainText(
            QString::fromUtf8("El manual %1 ocupa %2 MB y esta ventana solo muestra páginas de "
                              "hasta %3 MB. Ábralo con un editor de textos.")
                .arg(nombre, megas(tamano), megas(kLimitePagina)));
    } else if (tamano < 0 || !archivos::lee(ruta, kLimitePagina, bytes)) {
        documento->setPlainText(
            QString::fromUtf8("No se puede leer la página del manual %1: no existe, no es un "
                              "archivo o está fuera de la carpeta del manual.")
                .arg(nombre));
    } else {
        const QString texto = QString::fromUtf8(bytes);
        bytes.clear();
        const QString sufijo = QFileInfo(ruta).suffix().toLower();
        const bool markdown = sufijo == QStringLiteral("md");
        const bool html = sufijo == QStringLiteral("html") || sufijo == QStringLiteral("htm");
        const bool cabe = tamano <= kLimiteFormato && filasDeTabla(texto) <= kFilasTabla;
        if ((markdown || html) && !cabe) {
            documento->setPlainText(
                QString::fromUtf8("Esta página del manual es demasiado extensa para mostrarla "
                                  "con formato; se muestra su texto tal cual.\n\n") +
                texto);
        } else if (markdown) {
            documento->setMarkdown(texto);
            nombraTitulos(*documento);
            conFormato_ = true;
        } else if (html) {
            documento->setHtml(texto);
            conFormato_ = true;
        } else {
            documento->setPlainText(texto);
        }
    }
    pagina_ = ruta.isEmpty() ? sinAncla : QUrl::fromLocalFile(ruta);
    documento->setBaseUrl(pagina_);
    // The window's first document belongs to the window itself, which deletes it.
    QTextDocument *anterior = document();
    const bool propio = anterior && anterior->parent() == this;
    setDocument(documento);
    if (propio)
        delete anterior;
}

Manual::Manual(const QString &archivo, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Manual"));
    setWindowTitle(QStringLiteral("Bolarium - Instrucciones"));
    texto_ = new TextoManual(QFileInfo(archivo).absolutePath(), this);
    texto_->setObjectName(QStringLiteral("texto"));
    texto_->setReadOnly(true);
    texto_->setOpenLinks(false);
    texto_->setOpenExternalLinks(false);
    connect(texto_, &QTextBrowser::anchorClicked, this, &Manual::abreEnlace);
    texto_->muestra(QUrl::fromLocalFile(QFileInfo(archivo).absoluteFilePath()));
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(texto_);
    resize(820, 700);
}

void Manual::abreEnlace(const QUrl &enlace)
{
    const QUrl destino = texto_->pagina().resolved(enlace);
    if (!destino.isLocalFile()) {
        Escritorio::actual().abreDireccion(enlace);
        return;
    }
    const QUrl pagina = destino.adjusted(QUrl::RemoveFragment);
    if (pagina != texto_->pagina().adjusted(QUrl::RemoveFragment))
        texto_->muestra(pagina);
    if (destino.hasFragment())
        texto_->scrollToAnchor(destino.fragment());
}
