#pragma once

#include <QTextBrowser>
#include <QWidget>

// "Instrucciones": the player's manual that comes with the program, shown in a window of its
// own so that it needs neither a browser nor the internet. Links to other pages of the manual
// and to its headings open here; web addresses go to the desktop's browser.
class Manual : public QWidget {
    Q_OBJECT
public:
    explicit Manual(const QString &archivo, QWidget *parent = nullptr);

    QTextBrowser *texto() const { return texto_; }
    void abreEnlace(const QUrl &enlace);

private:
    QTextBrowser *texto_ = nullptr;
};

// The manual's text: pictures and pages come from the manual's own folder only, never from
// the network or from anywhere else on the disk.
class TextoManual : public QTextBrowser {
    Q_OBJECT
public:
    TextoManual(const QString &carpeta, QWidget *parent);
    QVariant loadResource(int tipo, const QUrl &nombre) override;

private:
    QString carpeta_;
};
