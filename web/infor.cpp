#include "web/infor.h"
#include "archive/escritura.h"
#include "archive/registro.h"
#include "web/textomensaje.h"
#include "widgets/escritorio.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace {
// The message is single-byte text; a file written as UTF-8 is read as such.
QString decodifica(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8(bytes);
    if (!utf8.hasError())
        return texto;
    return registro::desde1252(bytes);
}

class MarcaCierre : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> alPulsar;

protected:
    void mouseReleaseEvent(QMouseEvent *evento) override
    {
        if (evento->button() == Qt::LeftButton && alPulsar)
            alPulsar();
        QLabel::mouseReleaseEvent(evento);
    }
};
} // namespace

VisorMensaje::VisorMensaje(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // A link is only ever opened by the user's click, in the user's own browser.
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"))
            Escritorio::actual().abreDireccion(url);
    });
}

QVariant VisorMensaje::loadResource(int, const QUrl &)
{
    return {};
}

Infor::Infor(const QString &carpeta, const QString &contacto, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), carpeta_(carpeta)
{
    setObjectName(QStringLiteral("Infor"));
    setWindowTitle(QString::fromUtf8("Noticias del jefe..."));
    resize(520, 420);

    auto *barra = new QWidget(this);
    barra->setFixedHeight(26);
    Label1 = new QLabel(contacto, barra);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->adjustSize();
    Label1->move(16, 4);
    auto *cierre = new MarcaCierre(QStringLiteral("X"), barra);
    cierre->setObjectName(QStringLiteral("Label3"));
    cierre->setCursor(Qt::PointingHandCursor);
    cierre->alPulsar = [this] { Label3_Click(); };
    Label3 = cierre;
    // The contact label moves freely over the bar; only the close mark is laid out.
    auto *capaBarra = new QHBoxLayout(barra);
    capaBarra->setContentsMargins(0, 0, 8, 0);
    capaBarra->addStretch(1);
    capaBarra->addWidget(Label3);

    WebBrowser1 = new VisorMensaje(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));

    // Without a message the window would open blank: it says there is none.
    sinNoticias = new QLabel(QString::fromUtf8("No hay noticias del programa por ahora."), this);
    sinNoticias->setObjectName(QStringLiteral("sinNoticias"));
    sinNoticias->setAlignment(Qt::AlignCenter);
    sinNoticias->setWordWrap(true);

    auto *capa = new QVBoxLayout(this);
    capa->addWidget(barra);
    capa->addWidget(WebBrowser1, 1);
    capa->addWidget(sinNoticias, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Infor::Timer1_Timer);
    Timer1->start();

    Form_Load();
}

void Infor::Form_Load()
{
    move(0, 0);
    QFile archivo;
    const bool abierto =
        archivos::abreRegular(archivo, QDir(carpeta_).filePath(QStringLiteral("informe.dat"))) ==
        archivos::Apertura::Abierta;
    if (abierto && archivo.size() > 10) {
        // Never the message as it came: its markup is rebuilt from a few inline marks.
        WebBrowser1->setHtml(textomensaje::sanea(decodifica(archivo.read(kMaximoMensaje))));
        WebBrowser1->setVisible(true);
    } else {
        WebBrowser1->setVisible(false);
    }
    sinNoticias->setVisible(WebBrowser1->isHidden());
}

void Infor::Timer1_Timer()
{
    Label1->move(Label1->x() + paso, Label1->y());
    if (Label1->x() > 254)
        paso = -10;
    if (Label1->x() < 16)
        paso = 10;
}

void Infor::Label3_Click()
{
    close();
}
