#include "app/presentacion.h"
#include "app/principal.h"
#include "session/carpetadatos.h"
#include "session/version.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {
constexpr int kAncho = 480;
constexpr int kAlto = 300;
} // namespace

Presentacion::Presentacion(const QString &carpeta, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), carpeta_(carpeta)
{
    setObjectName(QStringLiteral("Presentacion"));
    setWindowTitle(QStringLiteral("Bolarium"));
    setFixedSize(kAncho, kAlto);
    Form_Initialize();

    for (int i = 1; i <= kFotogramas; ++i)
        ImageList1.append(dibujaFotograma(i));

    Command1 = new QPushButton(QStringLiteral("Entrar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(kAncho - 110, kAlto - 44, 96, 30);
    Command1->setVisible(false);
    connect(Command1, &QPushButton::clicked, this, &Presentacion::Command1_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(150);
    connect(Timer1, &QTimer::timeout, this, &Presentacion::Timer1_Timer);

    if (QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
    Form_Load();
    Timer1->start();
}

Presentacion::~Presentacion() = default;

Principal *Presentacion::principal() const
{
    return principal_.data();
}

// Qt needs no common-controls set-up; kept so start-up reads as it always has.
void Presentacion::Form_Initialize() {}

void Presentacion::Form_Load()
{
    fotograma = 1;
    ticks = 2;
}

void Presentacion::Timer1_Timer()
{
    if (fotograma <= kFotogramas) {
        mostrada_ = fotograma;
        update();
        ++fotograma;
        if (mostrada_ == kFotogramas) {
            fotograma = 10;
            Command1->setVisible(true);
        }
    }
    ++ticks;
    if (ticks == kTicksEntrada)
        Command1_Click();
}

void Presentacion::Command1_Click()
{
    Timer1->stop();
    // A second press (or the timer racing a click) must not open a second main window.
    if (principal_)
        return;
    const QString carpeta = carpeta_.isEmpty() ? carpetadatos::actual() : carpeta_;
    // The main window closes this one while it starts, before it is itself on screen: for that
    // moment there is no window left, which must not end the program.
    const bool salirAlCerrar = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    principal_ = new Principal(carpeta);
    principal_->setAttribute(Qt::WA_DeleteOnClose);
    principal_->show();
    QGuiApplication::setQuitOnLastWindowClosed(salirAlCerrar);
}

void Presentacion::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int i = mostrada_ >= 1 && mostrada_ <= ImageList1.size() ? mostrada_ : 1;
    if (mostrada_ == 0)
        p.fillRect(rect(), QColor(10, 60, 40));
    else
        p.drawPixmap(0, 0, ImageList1[i - 1]);
}

QPixmap Presentacion::dibujaFotograma(int i)
{
    QPixmap imagen(kAncho, kAlto);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient fondo(0, 0, 0, kAlto);
    fondo.setColorAt(0, QColor(10, 60, 40));
    fondo.setColorAt(1, QColor(5, 25, 20));
    p.fillRect(imagen.rect(), fondo);

    // Six balls roll in one after another; the last two frames light up the title.
    static constexpr int kNumeros[6] = {7, 13, 22, 31, 38, 46};
    const int bolas = std::min(i, 6);
    for (int b = 0; b < bolas; ++b) {
        const bool llegando = b == bolas - 1 && i <= 6;
        const double destino = 60 + b * 72;
        const double x = llegando ? destino + 40 : destino;
        const double y = 190 - (llegando ? 18 : 0);
        QRadialGradient brillo(QPointF(x - 8, y - 8), 30);
        brillo.setColorAt(0, Qt::white);
        brillo.setColorAt(1, QColor(230, 190, 40));
        p.setPen(QPen(QColor(120, 90, 10), 1.5));
        p.setBrush(brillo);
        p.drawEllipse(QPointF(x, y), 26, 26);
        QFont f(QStringLiteral("arial"));
        f.setBold(true);
        f.setPixelSize(20);
        p.setFont(f);
        p.setPen(QColor(40, 30, 0));
        p.drawText(QRectF(x - 26, y - 26, 52, 52), Qt::AlignCenter, QString::number(kNumeros[b]));
    }

    QFont titulo(QStringLiteral("arial"));
    titulo.setBold(true);
    titulo.setPixelSize(54);
    p.setFont(titulo);
    const int alfa = std::min(255, 60 + i * 25);
    p.setPen(QColor(255, 255, 255, alfa));
    p.drawText(QRect(0, 30, kAncho, 70), Qt::AlignCenter, QStringLiteral("BOLARIUM"));
    if (i >= 7) {
        QFont sub(QStringLiteral("arial"));
        sub.setPixelSize(16);
        p.setFont(sub);
        p.setPen(QColor(230, 190, 40, i == 7 ? 140 : 255));
        p.drawText(QRect(0, 95, kAncho, 26), Qt::AlignCenter,
                   QString::fromUtf8("Comprueba tus números de La Primitiva"));
    }
    QFont pie(QStringLiteral("arial"));
    pie.setPixelSize(11);
    p.setFont(pie);
    p.setPen(QColor(200, 220, 210));
    p.drawText(QRect(14, kAlto - 30, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, nombreVersion());
    return imagen;
}
