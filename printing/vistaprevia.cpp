#include "printing/vistaprevia.h"
#include "printing/imprimeboletos.h"

#include <QPainter>
#include <algorithm>

VistaPrevia::VistaPrevia(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VistaPrevia"));
    setMinimumSize(150, 212);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VistaPrevia::ponPaginas(std::vector<boletos::Pagina> paginas)
{
    paginas_ = std::move(paginas);
    actual_ = std::clamp(actual_, 0, std::max(0, cuenta() - 1));
    update();
    emit cambiada();
}

void VistaPrevia::ponActual(int pagina)
{
    const int nueva = std::clamp(pagina, 0, std::max(0, cuenta() - 1));
    if (nueva == actual_)
        return;
    actual_ = nueva;
    update();
    emit cambiada();
}

void VistaPrevia::paintEvent(QPaintEvent *)
{
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.fillRect(rect(), palette().color(QPalette::Dark));
    const double margen = 6;
    const double k =
        std::min((width() - 2 * margen) / kAnchoHoja, (height() - 2 * margen) / kAltoHoja);
    if (k <= 0)
        return;
    const QRectF hoja((width() - kAnchoHoja * k) / 2, (height() - kAltoHoja * k) / 2,
                      kAnchoHoja * k, kAltoHoja * k);
    pintor.fillRect(hoja, Qt::white);
    pintor.translate(hoja.topLeft());
    pintor.setClipRect(QRectF(0, 0, hoja.width(), hoja.height()));
    if (actual_ < cuenta())
        impresion::pintaPagina(pintor, paginas_[static_cast<size_t>(actual_)], k, k, true);
}
