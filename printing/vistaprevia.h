#pragma once

#include "printing/boletos.h"

#include <QWidget>
#include <vector>

// The sheet as it will come out of the printer, scaled to the widget, with the slip's boxes
// drawn faintly so the user sees which box each mark falls in before spending a slip.
class VistaPrevia : public QWidget {
    Q_OBJECT
public:
    static constexpr double kAnchoHoja = 210; // A4, the paper the slips and participations fit
    static constexpr double kAltoHoja = 297;

    explicit VistaPrevia(QWidget *parent = nullptr);

    void ponPaginas(std::vector<boletos::Pagina> paginas);
    const std::vector<boletos::Pagina> &paginas() const { return paginas_; }
    int cuenta() const { return static_cast<int>(paginas_.size()); }
    int actual() const { return actual_; } // 0-based; 0 when there is nothing to show
    void ponActual(int pagina);

    QSize sizeHint() const override { return {300, 424}; }

signals:
    void cambiada();

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    std::vector<boletos::Pagina> paginas_;
    int actual_ = 0;
};
