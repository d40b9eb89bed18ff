#include "ui/chart/svg_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace tarvilo {
namespace {

using MakeDevice = QPaintDevice *(*)(QIODevice *, const QSizeF *, const QString *);

// Beside the program as installed (and as built); a test program in the
// build tree finds it in the build's own folder. No other folder is tried,
// so no module can be slipped in from elsewhere.
QStringList ModuleCandidates()
{
    const QString program = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString name = QStringLiteral(TARVILO_SVG_MODULE_NAME);
    QStringList candidates{ QDir::cleanPath(program + QStringLiteral("/" TARVILO_SVG_MODULE_FROM_PROGRAM "/") + name) };
    const QString build = QDir(QStringLiteral(TARVILO_BUILD_DIR)).canonicalPath();
    if (!build.isEmpty() && program.startsWith(build + QLatin1Char('/')))
        candidates << QStringLiteral(TARVILO_BUILD_SVG_MODULE_DIR "/") + name;
    return candidates;
}

MakeDevice LoadMakeDevice()
{
    for (const QString &path : ModuleCandidates()) {
        // Stays loaded when the QLibrary goes: the function is kept.
        QLibrary library(path);
        if (auto make = reinterpret_cast<MakeDevice>(library.resolve("tarviloMakeSvgDevice")))
            return make;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<QPaintDevice> MakeSvgDevice(QIODevice *output, const QSizeF &page, const QString &title)
{
    // Looked for again after a miss: it may have been installed since.
    static MakeDevice make = nullptr;
    if (!make)
        make = LoadMakeDevice();
    if (!make) {
        throw SvgUnavailable("No se pudo guardar el gráfico en SVG: falta el módulo que lo escribe ("
                             + std::string(TARVILO_SVG_MODULE_NAME) + "). Se puede guardar en PNG o en PDF.");
    }
    return std::unique_ptr<QPaintDevice>(make(output, &page, &title));
}

} // namespace tarvilo
