#include "windows/ListPrint.h"

namespace ListPrint {

namespace {

constexpr Report::BandDef kBands[] = {
    {.name = "ReportTitle", .kind = Report::BandKind::ReportTitle, .top = 5, .height = 8, .width = 277},
    {.name = "MasterData", .kind = Report::BandKind::MasterData, .top = 28, .height = 28, .width = 277},
    {.name = "Footer", .kind = Report::BandKind::Footer, .top = 61, .height = 8, .width = 277},
};

constexpr Report::TextDef kTexts[] = {
    {.name = "txtTitolo",
     .band = "ReportTitle",
     .left = 2,
     .top = 1,
     .width = 273,
     .height = 5,
     .font = "Verdana",
     .size = 9,
     .bold = true,
     .colour = Report::rgb(0xFFFFFF),
     .fill = Report::rgb(0x708090),
     .align = Report::HAlign::Centre,
     .text = "Riepilogo"},
    {.name = "txtRiepilogo",
     .band = "MasterData",
     .left = 3,
     .top = 0,
     .width = 273,
     .height = 27,
     .font = "Courier New",
     .size = 8,
     .wordWrap = false},
    {.name = "txtPagina",
     .band = "Footer",
     .left = 3,
     .top = 2,
     .width = 272,
     .height = 5,
     .font = "Verdana",
     .size = 8,
     .bold = true,
     .colour = Report::rgb(0xFFFFFF),
     .fill = Report::rgb(0x708090),
     .align = Report::HAlign::Centre,
     .text = "Stampa eseguita in data [DATE] alle ore [TIME]"},
};

constexpr Report::TemplateDef kTemplate{
    .name = "repElenco",
    .page = {.width = 297,
             .height = 210,
             .paperCode = Report::paperA4,
             .orientation = Report::Orientation::Landscape,
             .left = 10,
             .right = 10,
             .top = 10,
             .bottom = 10},
    .bands = kBands,
    .texts = kTexts,
};

constexpr double kUnitsPerLine = 12.822;
constexpr double kBandExtraUnits = 10;

} // namespace

const Report::TemplateDef& listTemplate()
{
    return kTemplate;
}

void fill(Report::Template& report, const QString& title, const QStringList& lines)
{
    report.text(QStringLiteral("txtTitolo"))->setText(title);
    Report::TextObject* body = report.text(QStringLiteral("txtRiepilogo"));
    body->clearLines();
    for (const QString& line : lines)
        body->addLine(line);
    body->setHeightUnits(kUnitsPerLine * double(body->lines.size()));
    report.band(QStringLiteral("MasterData"))->setHeightUnits(body->heightUnits() + kBandExtraUnits);
}

} // namespace ListPrint
