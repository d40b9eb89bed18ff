// A file that could not be written is named with its path and the reason
// of its own failure.
#include "ui/common/fault_message.h"

#include "tests/support/default_inputs.h"

#include <gtest/gtest.h>

#include <set>

using namespace tarvilo;

namespace {

constexpr FileFailure kFailures[] = { FileFailure::NoPermission,  FileFailure::ReadOnlyFile,
                                      FileFailure::DiskFull,      FileFailure::FileTooLarge,
                                      FileFailure::FolderMissing, FileFailure::FolderInTheWay,
                                      FileFailure::Other };

QString MessageFor(FileFailure failure)
{
    return FaultMessage(RunFault::fileNotWritten("/home/ana/estudio/salida.txt", failure), PointSettings());
}

struct Reason
{
    FileFailure failure;
    const char *word; // what the reason must speak of
};

class FileFaultReason : public ::testing::TestWithParam<Reason>
{
};

} // namespace

TEST_P(FileFaultReason, NamesThePathAndWhatWentWrong)
{
    const QString text = MessageFor(GetParam().failure);
    EXPECT_TRUE(text.contains(QStringLiteral("/home/ana/estudio/salida.txt"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().word))) << text.toStdString();
    EXPECT_TRUE(text.contains(FileFailureText(GetParam().failure))) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Failures, FileFaultReason,
                         ::testing::Values(Reason{ FileFailure::NoPermission, "permiso" },
                                           Reason{ FileFailure::ReadOnlyFile, "solo lectura" },
                                           Reason{ FileFailure::DiskFull, "disco" },
                                           Reason{ FileFailure::FileTooLarge, "tamaño" },
                                           Reason{ FileFailure::FolderMissing, "no existe" },
                                           Reason{ FileFailure::FolderInTheWay, "carpeta con ese nombre" }));

TEST(FileFault, EveryFailureHasAReasonOfItsOwn)
{
    std::set<QString> reasons;
    for (FileFailure failure : kFailures) {
        const QString reason = FileFailureText(failure);
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(reasons.insert(reason).second) << reason.toStdString();
    }
}

namespace {

struct SweepCase
{
    const char *name;
    QvInputs inputs;
    const char *says; // the reason the message must give
    const char *never; // a reason it must not give
};

} // namespace

// A negative radicand in the system sweep: a negative X, or with a positive
// X only the rounding of a nose far from zero.
TEST(SweepFault, GivesTheTrueReason)
{
    const SweepCase cases[] = {
        { "negative X", tarvilo::testing::Inputs(-0.03, 3.33, 1, 10.48, 0, 0), "debe ser positiva", "redondeo" },
        { "nose at -3e10", tarvilo::testing::Inputs(0.03, 0, 1, 1e6, 0, 0), "Q2crit = -29999999991,6667",
          "debe ser positiva" },
        { "tiny X", tarvilo::testing::Inputs(1e-20, 3.33, 1, 10.48, 0, 0), "redondeo", "debe ser positiva" },
    };
    for (const SweepCase &sweep : cases) {
        const QString text = FaultDescription(RunFault(RunStep::SystemSweep, FaultCause::NegativeSquareRoot),
                                              CommaSettings(), &sweep.inputs);
        EXPECT_TRUE(text.contains(QString::fromUtf8(sweep.says))) << sweep.name << ": " << text.toStdString();
        EXPECT_FALSE(text.contains(QString::fromUtf8(sweep.never))) << sweep.name << ": " << text.toStdString();
    }
}
