#include "cli/console.h"

namespace tarvilo {

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void PrintUsageProblem(const QString &problem)
{
    Print(stderr, QStringLiteral("tarvilo: %1\nPruebe «tarvilo --help» para más información.\n").arg(problem));
}

} // namespace tarvilo
