#include "printing/SlipTemplate.h"

#include <QHash>
#include <array>

namespace SlipTemplate {
namespace {

using Report::HAlign;
using Report::TextDef;

constexpr BoxRow rows[] = {
    {"txtImporto_C", "txtImporto", 113.5, 8, {49, 44.6, 40.3, 36, 32, 28, 23.5, 19}, true},
    {"txtCents_C", "txtCents", 113.5, 2, {14, 9.9}, true},
    {"txtCodTariffa_C", "txtCodTariffa", 146, 4, {101.5, 97.3, 93.4, 89.2}, false},
    {"txtAnno_C", "txtAnnoTariffa", 146, 2, {82.5, 78.4}, false},
    {"txtCodFisc_C",
     "txtCodFisc",
     146,
     16,
     {71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 46.5, 42, 37.5, 33, 29, 24.8, 20.5, 16.5, 12.2, 7.8},
     false},
    {"txtEsecutore_C",
     "txtEsecutore",
     154,
     23,
     {101.5, 97.3, 93.2, 89,   84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4,
      50.2,  45.9, 41.4, 37.2, 33,   29,   24.8, 20.5, 16.5, 12.2, 7.8},
     false},
    {"txtGG_C", "txtGG", 162, 2, {93.2, 89}, false},
    {"txtMM_C", "txtMM", 162, 2, {85, 80.5}, false},
    {"txtAA_C", "txtAA", 162, 2, {76.3, 71.6}, false},
    {"txtComuneNasc_C",
     "txtComuneNasc",
     162,
     11,
     {63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, 24.8, 20.5},
     false},
    {"txtProvNasc_C", "txtProvNasc", 162, 2, {12.2, 7.8}, false},
    {"txtIndirizzoRes_C",
     "txtIndirizzoRes",
     170,
     20,
     {101.5, 97.3, 93.2, 89,   84.6, 80.5, 75.9, 71.6, 67.4, 63.1,
      58.8,  54.4, 50.2, 45.9, 41.4, 37.2, 33,   29,   24.8, 20.5},
     false},
    {"txtProvRes_C", "txtProvRes", 170, 2, {12.2, 7.8}, false},
    {"txtComuneRes_C",
     "txtComuneRes",
     178,
     17,
     {101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33},
     false},
    {"txtCapRes_C", "txtCapRes", 178, 5, {24.8, 20.5, 16.5, 12.3, 7.8}, false},
};

// Properties every object of the slip shares.
constexpr TextDef slipText(const char* name, double left, double top, double width, double height, double size,
                           HAlign align, const char* text, bool expressions = false, bool condense = false)
{
    return {.name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .font = "Verdana",
            .size = size,
            .align = align,
            .rotation = 90,
            .wordWrap = false,
            .expressions = expressions,
            .condense = condense,
            .text = text};
}

// The amount in words of 77 777 777 runs to some 70 letters, longer than any of the words spaces
// of the form: those objects condense a long amount rather than cut it.
constexpr TextDef wordsText(const char* name, double left, double top, double height)
{
    return slipText(name, left, top, 5, height, 8, HAlign::Left, "CIFRA IN LETTERE", false, true);
}

constexpr TextDef wholeTexts[] = {
    // Section A, at the foot of the sheet. Only the amount has expressions on; it never holds brackets.
    slipText("txtImporto_A", 119, 261, 6, 32, 9, HAlign::Right, "Importo A", true),
    slipText("txtCents_A", 119, 250, 6, 8, 9, HAlign::Right, "00"),
    wordsText("txtImpLettere_A", 124, 250, 72),
    slipText("txtEsecutore_A1", 145, 250, 5, 71, 7, HAlign::Left, "ESECUTORE RIGO 1 SEZ A\n"),
    slipText("txtEsecutore_A2", 149, 250, 5, 71, 7, HAlign::Left, "ESECUTORE RIGO 2 SEZ A"),
    slipText("txtRilascio_A", 160, 305, 6, 6, 9, HAlign::Centre, ""),
    slipText("txtAnnuale_A", 168, 305, 6, 6, 9, HAlign::Centre, nullptr),
    slipText("txtIntegrazione_A", 176.2, 305, 6, 6, 9, HAlign::Centre, nullptr),
    // Section B: the same data 80 mm higher up the sheet, its marks 81 mm higher.
    slipText("txtImporto_B", 119, 181, 6, 32, 9, HAlign::Right, "Importo A"),
    slipText("txtCents_B", 119, 170, 6, 8, 9, HAlign::Right, "00"),
    wordsText("txtImpLettere_B", 124, 170, 72),
    slipText("txtEsecutore_B1", 145, 170, 5, 71, 7, HAlign::Left, "ESECUTORE RIGO 1 SEZ A"),
    slipText("txtEsecutore_B2", 149, 170, 5, 71, 7, HAlign::Left, "ESECUTORE RIGO 2 SEZ A"),
    slipText("txtRilascio_B", 160, 224, 6, 6, 9, HAlign::Centre, nullptr),
    slipText("txtAnnuale_B", 168, 224, 6, 6, 9, HAlign::Centre, nullptr),
    slipText("txtIntegrazione_B", 176.2, 224, 6, 6, 9, HAlign::Centre, nullptr),
    // Section C, the objects that are not character boxes.
    wordsText("txtImpLettere_C", 120, 9, 125),
    slipText("txtIntegrazione_C", 148, 115, 5, 4, 9, HAlign::Centre, "X"),
    slipText("txtAnnuale_C", 148, 132.5, 5, 4, 9, HAlign::Centre, "X"),
    slipText("txtRilascio_C", 148, 147, 5, 4, 9, HAlign::Centre, "X"),
    slipText("txtSesso", 162, 101.5, 5, 4, 9, HAlign::Centre, "X"),
};

constexpr int boxCount = [] {
    int n = 0;
    for (const BoxRow& row : rows)
        n += row.count;
    return n;
}();

struct Name {
    char text[24] = {};
};

// "txtImporto_C" and 1 give "txtImporto_C_01".
constexpr std::array<Name, boxCount> makeBoxNames()
{
    std::array<Name, boxCount> names{};
    int k = 0;
    for (const BoxRow& row : rows) {
        for (int i = 1; i <= row.count; ++i, ++k) {
            int n = 0;
            for (const char* p = row.prefix; *p; ++p)
                names[k].text[n++] = *p;
            names[k].text[n++] = '_';
            names[k].text[n++] = char('0' + i / 10);
            names[k].text[n++] = char('0' + i % 10);
        }
    }
    return names;
}
constexpr auto boxNames = makeBoxNames();

constexpr int objectCount = int(std::size(wholeTexts)) + boxCount;

// Each character box: 5 x 4 mm, size 9, centred, default "X".
constexpr std::array<TextDef, objectCount> makeTexts()
{
    std::array<TextDef, objectCount> all{};
    int k = 0;
    for (const TextDef& text : wholeTexts)
        all[k++] = text;
    int b = 0;
    for (const BoxRow& row : rows)
        for (int i = 0; i < row.count; ++i)
            all[k++] = slipText(boxNames[b++].text, row.left, row.tops[i], 5, 4, 9, HAlign::Centre, "X");
    return all;
}
constexpr auto allTexts = makeTexts();
static_assert(objectCount == 139);

constexpr Report::TemplateDef slipTemplate{
    .name = "Tassella",
    .page = {.name = "Page1",
             .width = 203,
             .height = 327,
             .paperCode = Report::paperCustom,
             .orientation = Report::Orientation::Portrait},
    .texts = allTexts,
    // The slip is only printed: the preview options keep the usual buttons.
    .previewButtons = Report::PreviewPrint | Report::PreviewZoom | Report::PreviewFullScreen | Report::PreviewClose,
};

} // namespace

const Report::TemplateDef& def()
{
    return slipTemplate;
}
std::span<const Report::TextDef> texts()
{
    return allTexts;
}
std::span<const BoxRow> boxRows()
{
    return rows;
}

const Report::TextDef* find(const QString& name)
{
    static const QHash<QString, const TextDef*> index = [] {
        QHash<QString, const TextDef*> map;
        for (const TextDef& text : allTexts)
            map.insert(QString::fromLatin1(text.name), &text);
        return map;
    }();
    return index.value(name, nullptr);
}

QString boxName(const char* prefix, int number)
{
    return QString::fromLatin1(prefix) + QStringLiteral("_%1").arg(number, 2, 10, QLatin1Char('0'));
}

Section sectionOf(const QString& objectName)
{
    for (const char* end : {"_A", "_A1", "_A2"})
        if (objectName.endsWith(QLatin1String(end)))
            return Section::A;
    for (const char* end : {"_B", "_B1", "_B2"})
        if (objectName.endsWith(QLatin1String(end)))
            return Section::B;
    return Section::C;
}

} // namespace SlipTemplate
