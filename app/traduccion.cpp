#include "app/traduccion.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool instalaTraducciones()
{
    static bool instaladas = false;
    if (instaladas)
        return true;
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (!qt->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    instaladas = true;
    return true;
}
