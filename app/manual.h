#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class TextoManual;

// "Instrucciones": the player's manual that comes with the program, shown in a window of its
// own so that it needs neither a browser nor the internet. Links to other pages of the manual
// and to its headings open here; web addresses go to the desktop's browser.
class Manual : public QWidget {
    Q_OBJECT
public:
    explicit Manual(const QString &archivo, QWidget *parent = nullptr);

    TextoManual *texto() const { return texto_; }
    void abreEnlace(const QUrl &enlace);

private:
    TextoManual *texto_ = nullptr;
};

// The manual's text: pictures and pages come from the manual's own folder only, never from
// the network or from anywhere else on the disk. A page is read up to kLimitePagina and shown
// with its formatting only while that cannot keep the window busy for long: laying out a
// Markdown table takes time that grows with the square of its rows, and a big one would hold
// the window for minutes. Beyond that it shows the page's text as it is.
class TextoManual : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr qint64 kLimitePagina = 2 * 1024 * 1024;
    static constexpr qint64 kLimiteFormato = 256 * 1024;
    static constexpr int kFilasTabla = 1000; // lines with a "|": rows of tables, all told

    TextoManual(const QString &carpeta, QWidget *parent);
    QVariant loadResource(int tipo, const QUrl &nombre) override;

    // Shows a page of the manual's folder (or says why it cannot).
    void muestra(const QUrl &pagina);
    QUrl pagina() const { return pagina_; }
    // Whether the page on show kept its formatting.
    bool conFormato() const { return conFormato_; }

private:
    // The file a name stands for, relative to the page on show, when it is inside the folder.
    QString dentro(const QUrl &nombre) const;

    QString carpeta_;
    QUrl pagina_;
    bool conFormato_ = false;
};
