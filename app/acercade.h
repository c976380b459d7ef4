#pragma once

#include <QDialog>

class Imagen;
class QLabel;
class QPushButton;

// "Acerca de...": the program's name and version, the operating system it runs on and a link to
// the maker's web site.
class Acercade : public QDialog {
    Q_OBJECT
public:
    explicit Acercade(const QString &carpeta, QWidget *parent = nullptr);

    void Form_Load();
    void Label2_Click();

    static QString VersionToName(const QString &version);
    // Platform identifier, major and minor version joined with "." (2.6.1 for Windows 7) from
    // the values QSysInfo gives; empty where the operating system has no such numbers.
    static QString versionDe(const QString &tipoNucleo, const QString &versionNucleo);
    // The whole system line: "S.O: " and the version's name, or the platform's own name.
    static QString lineaSistema(const QString &tipoNucleo, const QString &versionNucleo,
                                const QString &nombreProducto);

    QLabel *Label1 = nullptr; // program name and version
    Imagen *Label2 = nullptr; // link to the maker's web site
    QLabel *Label3 = nullptr; // system line
    QLabel *datos = nullptr;  // "Datos en: " and the program directory, to find and back it up
    QPushButton *Command1 = nullptr;

private:
    QString carpeta_;
    QString web_;
};
