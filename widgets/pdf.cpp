#include "widgets/pdf.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"

#include <QBuffer>
#include <QDir>
#include <QPageSize>
#include <QPdfWriter>

namespace pdf {

QString eligeDestino(const QString &titulo, const QString &nombre)
{
    QString destino = Escritorio::actual().eligeDestino(QDir::home().filePath(nombre), titulo,
                                                        QStringLiteral("Documentos PDF (*.pdf)"));
    if (!destino.isEmpty() && !destino.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        destino += QStringLiteral(".pdf");
    return destino;
}

bool guarda(const QString &destino, const std::function<bool(QPagedPaintDevice &)> &pinta)
{
    QBuffer contenido;
    contenido.open(QIODevice::WriteOnly);
    {
        QPdfWriter escritor(&contenido);
        escritor.setResolution(1200);
        escritor.setPageSize(QPageSize(QPageSize::A4));
        escritor.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        escritor.setCreator(QStringLiteral("Bolarium"));
        if (!pinta(escritor))
            return false;
    }
    return escritoFuera(archivos::escribe(destino, contenido.data()),
                        QDir::toNativeSeparators(destino));
}

} // namespace pdf
