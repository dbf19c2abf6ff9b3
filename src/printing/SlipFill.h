#pragma once
// What the slip print puts into each of the template's 139 objects, from the slip editor's
// controls as they stand on screen. Every object gets a text, an empty one where nothing is to
// print, so that no default text of the template ever reaches paper.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace SlipFill {

struct SlipValues {
    QHash<QString, QString> texts; // edit-field texts by control name ("txtImporto"), as typed
    QSet<QString> checked;         // the ticked check boxes by control name ("chkRilascio")
};

// The slip editor's edit fields and check boxes that the print reads.
QStringList sourceFields();
QStringList sourceChecks();

// The text of every template object by object name.
QHash<QString, QString> texts(const SlipValues& slip);

// A datum brought to exactly count boxes, one character per box: padded with blanks or cut,
// on the left when right-aligned (the units stay in the last box), on the right otherwise.
// A blank becomes an empty text: it prints nothing.
QStringList boxTexts(const QString& datum, int count, bool rightAligned);

} // namespace SlipFill
