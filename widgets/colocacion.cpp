#include "widgets/colocacion.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace colocacion {
namespace {
// What the window manager adds around a window before it has one to measure: borders and a
// title bar.
constexpr int kMarcoAncho = 12;
constexpr int kMarcoAlto = 40;
constexpr char kColocada[] = "bolarium_colocada";

class Vigia : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        // A show event reaches a window before the window system maps it: placed now, it
        // appears where it belongs without a jump. Only the first show: after that the place
        // is the user's.
        if (evento->type() == QEvent::Show && objeto->isWidgetType()) {
            auto *w = static_cast<QWidget *>(objeto);
            const Qt::WindowType tipo = w->windowType();
            if (w->isWindow() && (tipo == Qt::Window || tipo == Qt::Dialog) &&
                !w->property(kColocada).toBool()) {
                w->setProperty(kColocada, true);
                coloca(w);
            }
        }
        return false;
    }
};
} // namespace

void instala()
{
    static QPointer<Vigia> vigia;
    if (vigia || !qApp)
        return;
    vigia = new Vigia(qApp);
    qApp->installEventFilter(vigia);
}

void coloca(QWidget *ventana)
{
    QWidget *padre = ventana->parentWidget() ? ventana->parentWidget()->window() : nullptr;
    QScreen *pantalla = padre && padre->isVisible() ? padre->screen() : ventana->screen();
    if (!pantalla)
        return;
    const QRect libre = pantalla->availableGeometry();
    const QRect marco = ventana->frameGeometry();
    const bool medido = marco.size() != ventana->size();
    const int anchoMarco = medido ? marco.width() - ventana->width() : kMarcoAncho;
    const int altoMarco = medido ? marco.height() - ventana->height() : kMarcoAlto;

    // No larger than the free area; a window whose contents cannot shrink that far keeps its
    // minimum, and its own scroll areas or layout must make up for it.
    const QSize cabe(libre.width() - anchoMarco, libre.height() - altoMarco);
    const QSize tamano = ventana->size().boundedTo(cabe).expandedTo(ventana->minimumSize());
    if (tamano != ventana->size())
        ventana->resize(tamano);

    // A window that chose its place keeps it, pulled inside; the others are centred over the
    // window that opened them, or on the screen.
    QPoint sitio;
    if (ventana->testAttribute(Qt::WA_Moved)) {
        sitio = ventana->pos();
    } else {
        const QRect sobre = padre && padre->isVisible() ? padre->frameGeometry() : libre;
        sitio = sobre.center() -
                QPoint((tamano.width() + anchoMarco) / 2, (tamano.height() + altoMarco) / 2);
    }
    const int ancho = tamano.width() + anchoMarco;
    const int alto = tamano.height() + altoMarco;
    sitio.setX(
        std::clamp(sitio.x(), libre.left(), std::max(libre.left(), libre.right() + 1 - ancho)));
    sitio.setY(
        std::clamp(sitio.y(), libre.top(), std::max(libre.top(), libre.bottom() + 1 - alto)));
    // The position of a window is its frame's corner.
    ventana->move(sitio);
}
} // namespace colocacion
