#include "printing/imprimeboletos.h"
#include "widgets/escritorio.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace impresion {

namespace {

constexpr double kMmPorPunto = 25.4 / 72; // a typographic point in millimetres
constexpr double kLinea = 0.25;           // width of the frame line, mm
constexpr double kFino = 1200 / 25.4;     // device units per mm of the layout, as at 1200 dpi
// A box of the slip around the top-left where its "X" goes.
constexpr double kCasillaAncho = 3.4;
constexpr double kCasillaAlto = 4.2;
// A participation's own grid is printed light, as on the official slip, so that the black
// marks stand out over it and it still reads on a black-and-white printer.
constexpr double kLineaCasilla = 0.15; // mm
constexpr double kLetraCasilla = 5.5;  // points, the number inside a box
const QColor kColorCasilla(205, 80, 80);
// Under an official slip's marks the preview only hints where its boxes fall.
const QColor kColorGuia(230, 150, 150);

QFont letra(const QPainter &pintor, double puntos, double puntosPorMm, bool negrita = true)
{
    QFont f(QStringLiteral("arial"));
    f.setBold(negrita);
    // Glyphs fitted to a screen's pixels grow or shrink there and no longer fall where they
    // fall on paper: the preview takes the printer's unhinted shapes and widths.
    f.setHintingPreference(QFont::PreferNoHinting);
    // Point sizes are turned into device pixels with the device's own resolution; scale them so
    // that the letter measures its size in millimetres whatever the device.
    const double dpi = pintor.device() ? pintor.device()->logicalDpiY() : 72;
    f.setPointSizeF(puntos * kMmPorPunto * puntosPorMm * 72 / dpi);
    return f;
}

// The boxes of the eight blocks of one grid. A printed grid carries each box's number, as the
// official slip does; the guide under an official slip's marks is the bare boxes.
void pintaCasillas(QPainter &pintor, const boletos::Posicion &origen, double kx, double ky,
                   bool impresa)
{
    pintor.save();
    pintor.setPen(impresa ? QPen(kColorCasilla, kLineaCasilla * ky) : QPen(kColorGuia, 0));
    pintor.setBrush(Qt::NoBrush);
    if (impresa)
        pintor.setFont(letra(pintor, kLetraCasilla, ky, false));
    for (int b = 1; b <= boletos::kBloques; ++b) {
        const boletos::Casillas c = boletos::casillas(origen.x, origen.y, b);
        for (int n = 1; n <= 49; ++n) {
            const boletos::Posicion &p = c[static_cast<size_t>(n)];
            const QRectF caja((p.x - 0.3) * kx, (p.y + 0.1) * ky, kCasillaAncho * kx,
                              kCasillaAlto * ky);
            pintor.drawRect(caja);
            if (impresa)
                pintor.drawText(caja, Qt::AlignCenter | Qt::TextDontClip, QString::number(n));
        }
    }
    pintor.restore();
}

} // namespace

void pintaPagina(QPainter &pintor, const boletos::Pagina &pagina, double puntosPorMmX,
                 double puntosPorMmY, bool conCasillas)
{
    pintor.save();
    // The sheet is laid out as on a fine printer and scaled to the device: on a screen the
    // letters then keep the widths they have on paper, not those of a font a few pixels high,
    // and the preview shows each text ending where it ends on the printed sheet.
    pintor.scale(puntosPorMmX / kFino, puntosPorMmY / kFino);
    const double kx = kFino;
    const double ky = kFino;

    // The same grid on paper and on screen: a participation's is part of the sheet.
    if (pagina.rejillaImpresa || conCasillas)
        for (const boletos::Posicion &o : pagina.rejillas)
            pintaCasillas(pintor, o, kx, ky, pagina.rejillaImpresa);

    pintor.setPen(QPen(Qt::black, kLinea * ky));
    pintor.setBrush(Qt::NoBrush);
    for (const boletos::Rectangulo &r : pagina.rectangulos) {
        const QRectF rect(r.x * kx, r.y * ky, r.ancho * kx, r.alto * ky);
        if (r.relleno)
            pintor.fillRect(rect, Qt::black);
        else
            pintor.drawRect(rect);
    }

    // Text is placed by its top-left corner, the way the slip's boxes are measured.
    const int alinea = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
    auto escribe = [&](const boletos::Posicion &en, const QString &texto) {
        pintor.drawText(QRectF(en.x * kx, en.y * ky, 1, 1), alinea, texto);
    };
    pintor.setPen(Qt::black);
    pintor.setFont(letra(pintor, boletos::kLetra, ky));
    for (const boletos::Marca &m : pagina.marcas)
        escribe(m.en, QStringLiteral("X"));
    for (const boletos::Texto &t : pagina.textos) {
        pintor.setFont(letra(pintor, t.tamano, ky));
        escribe(t.en, t.texto);
    }
    pintor.restore();
}

void preparaImpresora(QPrinter &impresora)
{
    impresora.setFullPage(false);
    // No margins of our own: the origin is where the printer can start to print, and the user's
    // offsets do the rest.
    impresora.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool pinta(QPagedPaintDevice &dispositivo, const std::vector<boletos::Pagina> &paginas)
{
    if (paginas.empty())
        return false;
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        return false;
    const double kx = dispositivo.logicalDpiX() / 25.4;
    const double ky = dispositivo.logicalDpiY() / 25.4;
    for (size_t i = 0; i < paginas.size(); ++i) {
        if (i > 0)
            dispositivo.newPage();
        pintaPagina(pintor, paginas[i], kx, ky);
    }
    return pintor.end();
}

bool imprime(QPrinter &impresora, const std::vector<boletos::Pagina> &paginas)
{
    if (paginas.empty())
        return false;
    if (!Escritorio::actual().eligeImpresora(impresora))
        return false;
    return pinta(impresora, paginas);
}

} // namespace impresion
