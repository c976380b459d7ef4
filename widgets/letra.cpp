#include "widgets/letra.h"

#include <QApplication>
#include <QFontDatabase>

QFont letraFija(bool negrita)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Where the system names no fixed font, the hint still picks one.
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    const QFont normal = QApplication::font();
    if (normal.pointSizeF() > 0)
        f.setPointSizeF(normal.pointSizeF());
    f.setBold(negrita);
    return f;
}
