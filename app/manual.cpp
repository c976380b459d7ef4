#include "app/manual.h"
#include "archive/escritura.h"
#include "widgets/escritorio.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// A picture or a page of the manual; nothing it ships is anywhere near this size.
constexpr qint64 kLimiteRecurso = 16 * 1024 * 1024;
// Fits the window's width at its opening size.
constexpr int kAnchoImagen = 760;
} // namespace

TextoManual::TextoManual(const QString &carpeta, QWidget *parent)
    : QTextBrowser(parent), carpeta_(QFileInfo(carpeta).canonicalFilePath())
{
}

QVariant TextoManual::loadResource(int tipo, const QUrl &nombre)
{
    // Pictures are asked for by their names in the text, relative to the page.
    const QUrl base =
        source().isEmpty() ? QUrl::fromLocalFile(carpeta_ + QLatin1Char('/')) : source();
    const QUrl resuelta = base.resolved(nombre);
    if (!resuelta.isLocalFile())
        return QVariant();
    // Links are followed first: a link inside the folder that points out of it counts as out.
    const QString ruta = QFileInfo(resuelta.toLocalFile()).canonicalFilePath();
    if (carpeta_.isEmpty() || ruta.isEmpty() || !ruta.startsWith(carpeta_ + QLatin1Char('/')))
        return QVariant();
    QByteArray bytes;
    if (!archivos::lee(ruta, kLimiteRecurso, bytes))
        return QVariant();
    if (tipo == QTextDocument::ImageResource) {
        // Screenshots of the whole window are wider than the manual's: shown whole, they would
        // need sideways scrolling to read the text beside them.
        QImage imagen;
        if (!imagen.loadFromData(bytes))
            return QVariant();
        if (imagen.width() > kAnchoImagen)
            imagen = imagen.scaledToWidth(kAnchoImagen, Qt::SmoothTransformation);
        return imagen;
    }
    return QString::fromUtf8(bytes);
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
    texto_->setSource(QUrl::fromLocalFile(QFileInfo(archivo).absoluteFilePath()),
                      QTextDocument::MarkdownResource);
    auto *capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(texto_);
    resize(820, 700);
}

void Manual::abreEnlace(const QUrl &enlace)
{
    const QUrl destino = texto_->source().resolved(enlace);
    if (!destino.isLocalFile()) {
        Escritorio::actual().abreDireccion(enlace);
        return;
    }
    const QUrl pagina = destino.adjusted(QUrl::RemoveFragment);
    if (pagina != texto_->source().adjusted(QUrl::RemoveFragment)) {
        const auto tipo = pagina.path().endsWith(QStringLiteral(".md"))
                              ? QTextDocument::MarkdownResource
                              : QTextDocument::UnknownResource;
        texto_->setSource(pagina, tipo);
    }
    if (destino.hasFragment())
        texto_->scrollToAnchor(destino.fragment());
}
