#include "lists/ListTakeOver.h"

#include "data/RecordLayout.h"
#include "lists/ListArchive.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"
#include "slips/SlipYear.h"

#include <QWidget>

namespace ListTakeOver {

void slip(QWidget* listWindow, const QString& line, SlipTarget* target)
{
    if (!line.isEmpty() && target) {
        const ListArchive::Match match = ListArchive::lastSlip(target->slipYear()->path(), line);
        if (match.position > 0 && !target->takeSlip(Record(SlipRecord::layout(), match.record), match.position))
            return; // the user stays with the slip shown: the list stays open
    }
    listWindow->close();
}

void payer(QWidget* listWindow, const QString& line, PayerTarget* target)
{
    if (!line.isEmpty() && target) {
        const ListArchive::Match match = ListArchive::lastPayer(PayerRecord::archivePath(), line);
        if (match.position > 0 && !target->takePayer(Record(PayerRecord::layout(), match.record), match.position))
            return; // the user stays with the payer shown: the list stays open
    }
    listWindow->close();
}

} // namespace ListTakeOver
