#include "printing/SlipTemplate.h"

#include <QHash>

namespace SlipTemplate {
namespace {

constexpr double boxWidth = 5.0;
constexpr double boxHeight = 4.0;
constexpr double boxFontSize = 9.0;

QList<BoxRow> makeRows()
{
    return {
        {QStringLiteral("txtImporto_C"), QStringLiteral("txtImporto"), 113.5,
         {49, 44.6, 40.3, 36, 32, 28, 23.5, 19}, true},
        {QStringLiteral("txtCents_C"), QStringLiteral("txtCents"), 113.5, {14, 9.9}, true},
        {QStringLiteral("txtCodTariffa_C"), QStringLiteral("txtCodTariffa"), 146, {101.5, 97.3, 93.4, 89.2}, false},
        {QStringLiteral("txtAnno_C"), QStringLiteral("txtAnnoTariffa"), 146, {82.5, 78.4}, false},
        {QStringLiteral("txtCodFisc_C"), QStringLiteral("txtCodFisc"), 146,
         {71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 46.5, 42, 37.5, 33, 29, 24.8, 20.5, 16.5, 12.2, 7.8}, false},
        {QStringLiteral("txtEsecutore_C"), QStringLiteral("txtEsecutore"), 154,
         {101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, 24.8,
          20.5, 16.5, 12.2, 7.8},
         false},
        {QStringLiteral("txtGG_C"), QStringLiteral("txtGG"), 162, {93.2, 89}, false},
        {QStringLiteral("txtMM_C"), QStringLiteral("txtMM"), 162, {85, 80.5}, false},
        {QStringLiteral("txtAA_C"), QStringLiteral("txtAA"), 162, {76.3, 71.6}, false},
        {QStringLiteral("txtComuneNasc_C"), QStringLiteral("txtComuneNasc"), 162,
         {63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, 24.8, 20.5}, false},
        {QStringLiteral("txtProvNasc_C"), QStringLiteral("txtProvNasc"), 162, {12.2, 7.8}, false},
        {QStringLiteral("txtIndirizzoRes_C"), QStringLiteral("txtIndirizzoRes"), 170,
         {101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, 24.8,
          20.5},
         false},
        {QStringLiteral("txtProvRes_C"), QStringLiteral("txtProvRes"), 170, {12.2, 7.8}, false},
        {QStringLiteral("txtComuneRes_C"), QStringLiteral("txtComuneRes"), 178,
         {101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33}, false},
        {QStringLiteral("txtCapRes_C"), QStringLiteral("txtCapRes"), 178, {24.8, 20.5, 16.5, 12.3, 7.8}, false},
    };
}

QList<Object> makeObjects()
{
    using A = Align;
    const QStringList importo{QStringLiteral("Importo A")};
    const QStringList cents{QStringLiteral("00")};
    const QStringList lettere{QStringLiteral("CIFRA IN LETTERE")};
    const QStringList rigo1{QStringLiteral("ESECUTORE RIGO 1 SEZ A")};
    const QStringList rigo2{QStringLiteral("ESECUTORE RIGO 2 SEZ A")};
    const QStringList x{QStringLiteral("X")};

    QList<Object> list = {
        // Section A, at the foot of the sheet.
        {QStringLiteral("txtImporto_A"), 119, 261, 6, 32, 9, A::Right, importo, true},
        {QStringLiteral("txtCents_A"), 119, 250, 6, 8, 9, A::Right, cents},
        {QStringLiteral("txtImpLettere_A"), 124, 250, 5, 72, 8, A::Left, lettere},
        {QStringLiteral("txtEsecutore_A1"), 145, 250, 5, 71, 7, A::Left, {rigo1.first(), QString()}},
        {QStringLiteral("txtEsecutore_A2"), 149, 250, 5, 71, 7, A::Left, rigo2},
        {QStringLiteral("txtRilascio_A"), 160, 305, 6, 6, 9, A::Centre, {QString()}},
        {QStringLiteral("txtAnnuale_A"), 168, 305, 6, 6, 9, A::Centre, {}},
        {QStringLiteral("txtIntegrazione_A"), 176.2, 305, 6, 6, 9, A::Centre, {}},
        // Section B: the same data 80 mm higher up the sheet, its marks 81 mm higher.
        {QStringLiteral("txtImporto_B"), 119, 181, 6, 32, 9, A::Right, importo},
        {QStringLiteral("txtCents_B"), 119, 170, 6, 8, 9, A::Right, cents},
        {QStringLiteral("txtImpLettere_B"), 124, 170, 5, 72, 8, A::Left, lettere},
        {QStringLiteral("txtEsecutore_B1"), 145, 170, 5, 71, 7, A::Left, rigo1},
        {QStringLiteral("txtEsecutore_B2"), 149, 170, 5, 71, 7, A::Left, rigo2},
        {QStringLiteral("txtRilascio_B"), 160, 224, 6, 6, 9, A::Centre, {}},
        {QStringLiteral("txtAnnuale_B"), 168, 224, 6, 6, 9, A::Centre, {}},
        {QStringLiteral("txtIntegrazione_B"), 176.2, 224, 6, 6, 9, A::Centre, {}},
        // Section C, the objects that are not character boxes.
        {QStringLiteral("txtImpLettere_C"), 120, 9, 5, 125, 8, A::Left, lettere},
        {QStringLiteral("txtIntegrazione_C"), 148, 115, 5, 4, 9, A::Centre, x},
        {QStringLiteral("txtAnnuale_C"), 148, 132.5, 5, 4, 9, A::Centre, x},
        {QStringLiteral("txtRilascio_C"), 148, 147, 5, 4, 9, A::Centre, x},
        {QStringLiteral("txtSesso"), 162, 101.5, boxWidth, boxHeight, boxFontSize, A::Centre, x},
    };
    // Section C, the character boxes.
    for (const BoxRow& row : boxRows())
        for (int i = 0; i < row.tops.size(); ++i)
            list.append({boxName(row.prefix, i + 1), row.left, row.tops.at(i), boxWidth, boxHeight, boxFontSize,
                         A::Centre, x});
    return list;
}

} // namespace

const QList<BoxRow>& boxRows()
{
    static const QList<BoxRow> rows = makeRows();
    return rows;
}

const QList<Object>& objects()
{
    static const QList<Object> list = makeObjects();
    return list;
}

const Object* find(const QString& name)
{
    static const QHash<QString, qsizetype> index = [] {
        QHash<QString, qsizetype> map;
        for (qsizetype i = 0; i < objects().size(); ++i)
            map.insert(objects().at(i).name, i);
        return map;
    }();
    const auto it = index.constFind(name);
    return it == index.constEnd() ? nullptr : &objects().at(*it);
}

QString boxName(const QString& prefix, int number)
{
    return prefix + QStringLiteral("_%1").arg(number, 2, 10, QLatin1Char('0'));
}

Section sectionOf(const QString& objectName)
{
    if (objectName.endsWith(QLatin1String("_A")) || objectName.endsWith(QLatin1String("_A1"))
        || objectName.endsWith(QLatin1String("_A2")))
        return Section::A;
    if (objectName.endsWith(QLatin1String("_B")) || objectName.endsWith(QLatin1String("_B1"))
        || objectName.endsWith(QLatin1String("_B2")))
        return Section::B;
    return Section::C;
}

} // namespace SlipTemplate
