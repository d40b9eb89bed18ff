// A file that could not be written is named with its path and the reason
// of its own failure.
#include "ui/common/fault_message.h"

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
