// A batch of slips appended in a process of its own, for the tests that run it under the
// fault-injection library.
//
//   batchtool <archive> <count>    appends count slips in one write
//
// Exit code 0 when they were saved, 1 when the save failed, 2 for wrong arguments.

#include "batch/BatchIssue.h"
#include "slips/SlipFromPayer.h"

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int count = QByteArray(argv[2]).toInt();
    BatchIssue::SlipData data;
    data.amount = QStringLiteral("120");
    data.dueDate = QStringLiteral("31/01/2024");
    std::vector<BatchIssue::Payer> payers(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        payers[size_t(i)].setField(0, QStringLiteral("ESECUTORE %1").arg(i + 1));
    const BatchIssue::Saved saved = BatchIssue::append(path, BatchIssue::Slips(data, std::move(payers)));
    if (!saved.ok)
        std::fprintf(stderr, "failed: %s\n", saved.error.toUtf8().constData());
    return saved.ok ? 0 : 1;
}
