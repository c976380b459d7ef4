#include "widgets/escritorio.h"
#include "archive/juego.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSystemTrayIcon>

namespace {
std::unique_ptr<Escritorio> &enUso()
{
    static std::unique_ptr<Escritorio> escritorio = std::make_unique<Escritorio>();
    return escritorio;
}

std::function<void(const QString &)> &accionNotificacion()
{
    static std::function<void(const QString &)> accion;
    return accion;
}

QMessageBox::Icon iconoDe(Escritorio::Icono icono)
{
    switch (icono) {
    case Escritorio::Icono::Informacion:
        return QMessageBox::Information;
    case Escritorio::Icono::Exclamacion:
        return QMessageBox::Warning;
    case Escritorio::Icono::Critico:
        return QMessageBox::Critical;
    case Escritorio::Icono::Pregunta:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QDateTime Escritorio::ahora() const
{
    return juego::ahora();
}

bool Escritorio::pregunta(const QString &texto, const QString &titulo, Icono icono)
{
    QMessageBox caja(iconoDe(icono), titulo, texto, QMessageBox::NoButton,
                     QApplication::activeWindow());
    QPushButton *si = caja.addButton(QString::fromUtf8("Sí"), QMessageBox::YesRole);
    QPushButton *no = caja.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    caja.setDefaultButton(peligrosa() ? no : si);
    caja.setEscapeButton(no);
    caja.exec();
    return caja.clickedButton() == si;
}

bool Escritorio::preguntaPeligrosa(const QString &texto, const QString &titulo)
{
    peligrosa_ = true;
    const bool si = pregunta(texto, titulo, Icono::Pregunta);
    peligrosa_ = false;
    return si;
}

void Escritorio::aviso(const QString &texto, const QString &titulo, Icono icono)
{
    QMessageBox caja(iconoDe(icono), titulo, texto, QMessageBox::Ok, QApplication::activeWindow());
    caja.exec();
}

QString Escritorio::eligeArchivo(const QString &carpeta, const QString &titulo,
                                 const QString &filtro)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, carpeta, filtro);
}

QString Escritorio::eligeDestino(const QString &carpeta, const QString &titulo,
                                 const QString &filtro)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, carpeta, filtro);
}

bool Escritorio::eligeImpresora(QPrinter &impresora)
{
    // Without a printer the print dialog offers nothing to choose; say why and where to go.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        aviso(QString::fromUtf8("No hay ninguna impresora instalada. Instale una impresora o use "
                                "«Guardar como PDF» para guardar las hojas en un archivo."),
              QStringLiteral("Imprimir"), Icono::Exclamacion);
        return false;
    }
    QPrintDialog dialogo(&impresora, QApplication::activeWindow());
    dialogo.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialogo.exec() == QDialog::Accepted;
}

void Escritorio::abreDireccion(const QUrl &direccion)
{
    // Without a browser (or with the desktop refusing) the click would do nothing at all: the
    // user is told, with the address to copy.
    if (!abreEnElSistema(direccion))
        aviso(QString::fromUtf8("No se ha podido abrir el navegador. Puede copiar la dirección y "
                                "abrirla a mano:\n\n") +
                  direccion.toString(),
              QString::fromUtf8("Abrir en el navegador"), Icono::Exclamacion);
}

bool Escritorio::abreEnElSistema(const QUrl &direccion)
{
    return QDesktopServices::openUrl(direccion);
}

bool Escritorio::notifica(const QString &titulo, const QString &texto, const QString &pena)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    // One icon in the notification area for the whole run, made at the first notice: the
    // program has no other business there. A click on the icon does what one on the notice
    // does, for whoever missed the notice.
    static QPointer<QSystemTrayIcon> bandeja;
    static QString ultimaPena;
    ultimaPena = pena;
    if (!bandeja) {
        bandeja = new QSystemTrayIcon(QApplication::windowIcon(), qApp);
        bandeja->setToolTip(QApplication::applicationDisplayName());
        QObject::connect(bandeja, &QSystemTrayIcon::messageClicked, bandeja,
                         [] { notificacionPulsada(ultimaPena); });
        QObject::connect(bandeja, &QSystemTrayIcon::activated, bandeja,
                         [](QSystemTrayIcon::ActivationReason motivo) {
                             if (motivo == QSystemTrayIcon::Trigger ||
                                 motivo == QSystemTrayIcon::DoubleClick)
                                 notificacionPulsada(ultimaPena);
                         });
    }
    bandeja->show();
    bandeja->showMessage(titulo, texto, QSystemTrayIcon::Information, 20000);
    return true;
}

void Escritorio::alPulsarNotificacion(std::function<void(const QString &)> accion)
{
    accionNotificacion() = std::move(accion);
}

void Escritorio::notificacionPulsada(const QString &pena)
{
    if (accionNotificacion())
        accionNotificacion()(pena);
}

Escritorio &Escritorio::actual()
{
    return *enUso();
}

void Escritorio::sustituye(std::unique_ptr<Escritorio> nuevo)
{
    enUso() = nuevo ? std::move(nuevo) : std::make_unique<Escritorio>();
}
