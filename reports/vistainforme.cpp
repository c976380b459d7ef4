#include "reports/vistainforme.h"
#include "app/avisos.h"
#include "app/escritorio.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

VistaInforme::VistaInforme(const QString &html, const QString &titulo, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VistaInforme"));
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    documento_.setHtml(html);

    auto *capa = new QVBoxLayout(this);
    auto *botones = new QHBoxLayout;
    auto boton = [this, botones](const char *nombre, const char *texto) {
        auto *b = new QPushButton(QString::fromUtf8(texto), this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        botones->addWidget(b);
        return b;
    };
    QPushButton *imprimir = boton("botonImprimir", "Imprimir...");
    QPushButton *pdf = boton("botonPdf", "Exportar a PDF...");
    QPushButton *acercar = boton("botonAcercar", "Ampliar");
    QPushButton *alejar = boton("botonAlejar", "Reducir");
    botones->addStretch(1);
    QPushButton *cerrar = boton("botonCerrar", "Cerrar");
    capa->addLayout(botones);

    // The preview lays the pages out on a PDF printer, which needs no printer installed.
    impresora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impresora_->setOutputFormat(QPrinter::PdfFormat);
    impresora_->setPageSize(QPageSize(QPageSize::A4));
    vista_ = new QPrintPreviewWidget(impresora_.get(), this);
    vista_->setObjectName(QStringLiteral("vistaPrevia"));
    connect(vista_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *p) { imprimeEn(documento_, *p); });
    capa->addWidget(vista_, 1);

    connect(imprimir, &QPushButton::clicked, this, &VistaInforme::imprime);
    connect(pdf, &QPushButton::clicked, this, &VistaInforme::exportaPdf);
    connect(acercar, &QPushButton::clicked, vista_, [this] { vista_->zoomIn(); });
    connect(alejar, &QPushButton::clicked, vista_, [this] { vista_->zoomOut(); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    resize(760, 900);
}

// The preview goes before the printer it draws on.
VistaInforme::~VistaInforme()
{
    delete vista_;
}

void VistaInforme::imprimeEn(QTextDocument &documento, QPrinter &impresora)
{
    documento.print(&impresora);
}

bool VistaInforme::imprime()
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    if (!Escritorio::actual().eligeImpresora(impresora))
        return false;
    imprimeEn(documento_, impresora);
    return true;
}

bool VistaInforme::exportaPdf()
{
    QString destino = Escritorio::actual().eligeDestino(
        QDir::homePath(), QStringLiteral("Exportar a PDF"), QStringLiteral("PDF (*.pdf)"));
    if (destino.isEmpty())
        return false;
    if (!destino.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        destino += QStringLiteral(".pdf");
    // The pages are made in memory with the printer's layout and saved like every other file:
    // a PDF written straight to disk would replace a chosen file by a cut one on a full disk.
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter escritor(&pdf);
        escritor.setResolution(impresora.resolution());
        escritor.setPageLayout(impresora.pageLayout());
        documento_.print(&escritor);
    }
    return escrito(archivos::escribe(destino, pdf.data()), QDir::toNativeSeparators(destino));
}
