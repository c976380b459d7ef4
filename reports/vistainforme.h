#pragma once

#include <QDialog>
#include <QTextDocument>
#include <memory>

class QPrinter;
class QPrintPreviewWidget;

// Preview of a report with printing and PDF export. It is shown without holding up the window
// that opened it; the printer and the PDF file are chosen through the desktop seam.
class VistaInforme : public QDialog {
    Q_OBJECT
public:
    VistaInforme(const QString &html, const QString &titulo, QWidget *parent = nullptr);
    ~VistaInforme() override;

    QTextDocument &documento() { return documento_; }

    // "Imprimir...": the print dialog, then the pages. False when cancelled.
    bool imprime();
    // "Guardar como PDF...": a file name, then the pages as PDF. False when cancelled or failed.
    bool exportaPdf();

    // Lays the report out on a printer's pages (A4 by default) and prints it.
    static void imprimeEn(QTextDocument &documento, QPrinter &impresora);

private:
    QTextDocument documento_;
    std::unique_ptr<QPrinter> impresora_; // the preview's pages
    QPrintPreviewWidget *vista_ = nullptr;
};
