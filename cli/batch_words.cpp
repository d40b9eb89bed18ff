#include "cli/batch_words.h"

#include <QStringList>

#include <cerrno>

namespace tarvilo {
namespace {

QString Name(InputBox box)
{
    return QString::fromLatin1(InputName(box));
}

} // namespace

QString BatchReadFailure(const QString &path, const QString &problem)
{
    return QStringLiteral("No se pudo leer el lote %1: %2.").arg(path, problem);
}

QString OpenProblem(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("el archivo no existe");
    case ENOTDIR:
        return QStringLiteral("una carpeta de su ruta no existe");
    case EACCES:
    case EPERM:
        return QStringLiteral("no tiene permiso para leerlo");
    case EISDIR:
        return QStringLiteral("es una carpeta, no un archivo");
    default:
        return QStringLiteral("el sistema no permitió abrirlo");
    }
}

QString EmptyFileProblem()
{
    return QStringLiteral("el archivo está vacío; su primera línea debe nombrar las columnas X, B, Uinf, Pcarga, "
                          "Qcarga y Qcap");
}

QString HeaderTooLongProblem(size_t maxLength)
{
    return QStringLiteral("la primera línea tiene más de %1 bytes: no es una cabecera de columnas").arg(maxLength);
}

QString HeaderProblem(const BatchHeader &header)
{
    switch (header.problem) {
    case BatchHeader::Problem::UnclosedQuote:
        return QStringLiteral("unas comillas de la cabecera no se cierran");
    case BatchHeader::Problem::Repeated:
        return QStringLiteral("la cabecera nombra dos veces la columna %1").arg(Name(*header.repeated));
    case BatchHeader::Problem::Missing: {
        QStringList names;
        for (const InputBox box : header.missing)
            names << Name(box);
        const QString which = names.size() == 1
                ? QStringLiteral("falta la columna %1").arg(names.front())
                : QStringLiteral("faltan las columnas %1").arg(names.join(QStringLiteral(", ")));
        return which
                + QStringLiteral(" (la primera línea debe nombrar X, B, Uinf, Pcarga, Qcarga y Qcap, en cualquier "
                                 "orden, separadas por «;» o por «,»)");
    }
    case BatchHeader::Problem::None:
        break;
    }
    return {};
}

QString ReadProblem(long long lineNumber)
{
    if (lineNumber == 0)
        return QStringLiteral("el sistema no permitió leerlo");
    return QStringLiteral("falló la lectura tras la línea %1").arg(lineNumber);
}

std::string LineTooLongRemark(size_t maxLength)
{
    return QStringLiteral("La línea tiene más de %1 bytes: no se lee.").arg(maxLength).toStdString();
}

std::string RecordRemark(CsvRecord::Problem problem)
{
    if (problem == CsvRecord::Problem::UnclosedQuote)
        return "Unas comillas de la línea no se cierran en ella.";
    return "Tras unas comillas de cierre sigue texto en el mismo campo.";
}

std::string FieldCountRemark(size_t fields, size_t columns)
{
    const QString count = fields == 1 ? QStringLiteral("1 campo") : QStringLiteral("%1 campos").arg(fields);
    return QStringLiteral("La línea tiene %1 y la cabecera %2 columnas.").arg(count).arg(columns).toStdString();
}

std::string UnreadableFieldRemark(InputBox box)
{
    return QStringLiteral("El valor de %1 no es un número.").arg(Name(box)).toStdString();
}

} // namespace tarvilo
