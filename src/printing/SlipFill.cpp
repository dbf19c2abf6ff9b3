#include "printing/SlipFill.h"

#include "data/CodePage.h"
#include "printing/SlipTemplate.h"

namespace SlipFill {

QStringList sourceFields()
{
    QStringList fields{QStringLiteral("txtImporto"), QStringLiteral("txtCents"), QStringLiteral("txtImpLettere"),
                       QStringLiteral("txtSesso")};
    for (const SlipTemplate::BoxRow& row : SlipTemplate::boxRows())
        if (!fields.contains(QLatin1String(row.sourceField)))
            fields.append(QString::fromLatin1(row.sourceField));
    return fields;
}

QStringList sourceChecks()
{
    return {QStringLiteral("chkRilascio"), QStringLiteral("chkAnnuale"), QStringLiteral("chkIntegrazione")};
}

QStringList boxTexts(const QString& datum, int count, bool rightAligned)
{
    QString row = datum;
    if (rightAligned)
        row = row.size() > count ? row.right(count) : row.rightJustified(count, QLatin1Char(' '));
    else
        row = row.size() > count ? row.left(count) : row.leftJustified(count, QLatin1Char(' '));
    QStringList boxes;
    for (QChar c : row)
        boxes.append(c.unicode() <= 32 ? QString() : QString(c)); // a blank prints nothing
    return boxes;
}

QHash<QString, QString> texts(const SlipValues& slip)
{
    const auto field = [&slip](const char* name) { return CodePage::trimmed(slip.texts.value(QLatin1String(name))); };
    const auto mark = [&slip](const char* name) {
        return slip.checked.contains(QLatin1String(name)) ? QStringLiteral("X") : QString();
    };

    QHash<QString, QString> out;
    // Start from nothing in every object: whatever is not filled below prints nothing.
    for (const Report::TextDef& object : SlipTemplate::texts())
        out.insert(QString::fromLatin1(object.name), QString());

    const QString words = field("txtImpLettere") + QLatin1Char('/') + field("txtCents");
    const QString payer = field("txtEsecutore") + QStringLiteral(" C.F. ") + field("txtCodFisc");
    const QString address = field("txtIndirizzoRes") + QStringLiteral(" - ") + field("txtComuneRes") + QLatin1Char(' ')
        + field("txtProvRes");
    for (const char* section : {"A", "B"}) {
        const QString s = QLatin1String(section);
        out[QStringLiteral("txtImporto_") + s] = field("txtImporto");
        out[QStringLiteral("txtCents_") + s] = field("txtCents");
        out[QStringLiteral("txtImpLettere_") + s] = words;
        out[QStringLiteral("txtEsecutore_") + s + QLatin1Char('1')] = payer;
        out[QStringLiteral("txtEsecutore_") + s + QLatin1Char('2')] = address;
    }
    for (const char* section : {"A", "B", "C"}) {
        const QString s = QLatin1String(section);
        out[QStringLiteral("txtRilascio_") + s] = mark("chkRilascio");
        out[QStringLiteral("txtAnnuale_") + s] = mark("chkAnnuale");
        out[QStringLiteral("txtIntegrazione_") + s] = mark("chkIntegrazione");
    }
    out[QStringLiteral("txtImpLettere_C")] = words;
    out[QStringLiteral("txtSesso")] = boxTexts(field("txtSesso"), 1, false).first();

    for (const SlipTemplate::BoxRow& row : SlipTemplate::boxRows()) {
        const QStringList boxes =
            boxTexts(CodePage::trimmed(slip.texts.value(QLatin1String(row.sourceField))), row.count, row.rightAligned);
        for (int i = 0; i < boxes.size(); ++i)
            out[SlipTemplate::boxName(row.prefix, i + 1)] = boxes.at(i);
    }
    return out;
}

} // namespace SlipFill
