// Draws the program's icon at the sizes of the desktop's icon theme, from the same shapes as
// paquete/bolarium.svg (on a square of 256 units), so the package needs no SVG renderer:
//   dibujaicono <folder>  writes <folder>/<n>x<n>/apps/bolarium.png
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

namespace {
constexpr int kUnidades = 256;
constexpr int kTamanos[] = {16, 32, 48, 64, 128, 256};

QImage dibuja(int lado)
{
    QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(lado) / kUnidades, double(lado) / kUnidades);
    QPainterPath marco;
    marco.addRoundedRect(QRectF(16, 16, 224, 224), 40, 40);
    p.fillPath(marco, QColor(0x00, 0x66, 0x33));
    p.setPen(QPen(QColor(0xff, 0xcc, 0x00), 16));
    p.drawPath(marco);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const double y : {98.0, 158.0})
        for (const double x : {68.0, 128.0, 188.0})
            p.drawEllipse(QPointF(x, y), 24, 24);
    return imagen;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: dibujaicono <carpeta>\n");
        return 2;
    }
    const QDir raiz(QString::fromLocal8Bit(argv[1]));
    for (const int lado : kTamanos) {
        const QString carpeta = raiz.filePath(QStringLiteral("%1x%1/apps").arg(lado));
        const QString archivo = carpeta + QStringLiteral("/bolarium.png");
        if (!QDir().mkpath(carpeta) || !dibuja(lado).save(archivo, "PNG")) {
            std::fprintf(stderr, "dibujaicono: no se puede escribir %s\n", qPrintable(archivo));
            return 1;
        }
    }
    return 0;
}
