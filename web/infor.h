#pragma once

#include <QDialog>
#include <QTextBrowser>

class QLabel;
class QTimer;

// The message view of the maker's window: shows informe.dat as sanitized text with a few inline
// marks (textomensaje::sanea), never fetches anything and never follows a link by itself.
class VisorMensaje : public QTextBrowser {
    Q_OBJECT
public:
    explicit VisorMensaje(QWidget *parent = nullptr);
    QVariant loadResource(int tipo, const QUrl &nombre) override;
};

// "Noticias del jefe...": the maker's message, kept above the other windows at the top-left
// corner, with a contact label that creeps across its top.
class Infor : public QDialog {
    Q_OBJECT
public:
    static constexpr qint64 kMaximoMensaje = 1024 * 1024;

    // `carpeta`: program directory (informe.dat); `contacto`: text of the moving label.
    Infor(const QString &carpeta, const QString &contacto, QWidget *parent = nullptr);

    void Form_Load();
    void Timer1_Timer();
    void Label3_Click();

    VisorMensaje *WebBrowser1 = nullptr;
    QLabel *Label1 = nullptr;      // contact label
    QLabel *Label3 = nullptr;      // close mark "X"
    QLabel *sinNoticias = nullptr; // shown instead of an empty message
    QTimer *Timer1 = nullptr;
    qint16 paso = 1;

private:
    QString carpeta_;
};
