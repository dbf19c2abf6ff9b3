#include "payers/InfoSheet.h"

#include "data/CodePage.h"
#include "data/Platform.h"

#include <QStringBuilder>

static void initInfoSheetResources()
{
    Q_INIT_RESOURCE(InfoSheet);
}

namespace InfoSheet {
namespace {

using Report::HAlign;
using Report::TextDef;
using Report::VAlign;

// Object names and default texts numbered 1 to 24, made once at compile time.
using Name = std::array<char, 16>;

constexpr std::array<Name, kRows> numbered(const char* prefix, bool twoDigits)
{
    std::array<Name, kRows> names{};
    for (int k = 1; k <= kRows; ++k) {
        Name& name = names[size_t(k - 1)];
        size_t i = 0;
        for (; prefix[i]; ++i)
            name[i] = prefix[i];
        if (twoDigits || k >= 10)
            name[i++] = char('0' + k / 10);
        name[i] = char('0' + k % 10);
    }
    return names;
}

constexpr auto titleNames = numbered("titCampo", true);
constexpr auto valueNames = numbered("txtCampo", true);
constexpr auto defaultTexts = numbered("Campo ", false); // "Campo 1" to "Campo 24"

constexpr QRgb white = Report::rgb(0xFFFFFF);
constexpr QRgb orange = Report::rgb(0xFF8C00);
constexpr QRgb teal = Report::rgb(0x008080);

// Every text of the sheet: Arial, regular, one line clipped at the edge, printed literally.
constexpr TextDef sheetText(const char* name, double left, double top, double width, double height, double size,
                            QRgb colour, QRgb fill, HAlign align, const char* text)
{
    return {.name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .font = "Arial",
            .size = size,
            .colour = colour,
            .fill = fill,
            .align = align,
            .valign = VAlign::Centre,
            .wordWrap = false,
            .expressions = false,
            .text = text};
}

constexpr auto texts = [] {
    std::array<TextDef, 2 + 2 * kRows> out{};
    out[0] = sheetText("txtTitolo", 23, 3, 165, 9, 16, white, orange, HAlign::Centre, "Titolo Scheda");
    for (int k = 1; k <= kRows; ++k) {
        const auto i = size_t(k - 1);
        out[1 + 2 * i] =
            sheetText(titleNames[i].data(), 3, rowTop(k), 52, 6, 9, white, teal, HAlign::Left, defaultTexts[i].data());
        out[2 + 2 * i] = sheetText(valueNames[i].data(), 60, rowTop(k), 128, 6, 10, Report::black, Report::noFill,
                                   HAlign::Left, defaultTexts[i].data());
    }
    out[1 + 2 * kRows] = sheetText("txtCalce", 3, 269, 185, 6, 10, white, orange, HAlign::Centre,
                                   "Stampa eseguita in data gg/mm/aaaa alle ore hh:mm:nn");
    return out;
}();

constexpr Report::PictureDef pictures[] = {
    {.name = "imgLogo", .left = 3, .top = 3, .width = 17, .height = 13, .image = ":/payers/cartella.svg"},
};

constexpr Report::LineDef lines[] = {
    {.name = "linSepara01", .left = 23, .top = 16, .width = 165},
    {.name = "linSepara02", .left = 3, .top = 265, .width = 185},
};

constexpr Report::TemplateDef sheet{
    .name = "Scheda informativa",
    .page = {.width = 210,
             .height = 297,
             .paperCode = Report::paperA4,
             .orientation = Report::Orientation::Portrait,
             .left = 10,
             .right = 10,
             .top = 10,
             .bottom = 10},
    .texts = texts,
    .pictures = pictures,
    .lines = lines,
    .previewButtons = Report::PreviewAll, // print, zoom, full screen, close
    .previewZoom = 1.0,
    .pdfTitle = "Scheda informativa",
    .pdfSubject = "Scheda informativa",
};

using V = Values;

constexpr Source sourceTable[] = {
    {"txtEsecutore", &V::esecutore},
    {"txtGG", &V::gg},
    {"txtMM", &V::mm},
    {"txtAA", &V::aa},
    {"txtComuneNasc", &V::comuneNasc},
    {"txtProvNasc", &V::provNasc},
    {"txtSesso", &V::sesso},
    {"txtRecapito", &V::recapito},
    {"txtIndirizzoRes", &V::indirizzoRes},
    {"txtProvRes", &V::provRes},
    {"txtComuneRes", &V::comuneRes},
    {"txtCategoria", &V::categoria},
    {"txtTelCasa", &V::telCasa},
    {"txtTelUff", &V::telUff},
    {"txtTelCel", &V::telCel},
    {"txtFax", &V::fax},
    {"txtEmail", &V::email},
    {"txtCodFisc", &V::codFisc},
    {"txtPartitaIva", &V::partitaIva},
    {"txtCarta", &V::carta},
    {"txtScadeCarta", &V::scadeCarta},
    {"txtIban", &V::iban},
    {"txtTipoDoc", &V::tipoDoc},
    {"txtNumDoc", &V::numDoc},
    {"txtEnteRil", &V::enteRil},
    {"txtDataRil", &V::dataRil},
    {"txtDataSca", &V::dataSca},
    {"txtCodTariffa", &V::codTariffa},
    {"txtQuestioni", &V::questioni},
    {"txtNote", &V::note},
};

// A row's value is made of the editor's texts and fixed pieces, in order.
struct Piece {
    QString Values::*field = nullptr;
    const char* literal = nullptr;
};
constexpr Piece F(QString Values::*field)
{
    return {field, nullptr};
}
constexpr Piece L(const char* literal)
{
    return {nullptr, literal};
}

struct RowDef {
    const char* title;
    std::array<Piece, 5> pieces;
};

constexpr RowDef rowTable[kRows] = {
    {"Cognome e nome:", {F(&V::esecutore)}},
    {"Data di nascita:", {F(&V::gg), L("/"), F(&V::mm), L("/"), F(&V::aa)}},
    {"Comune di nascita:", {F(&V::comuneNasc), L(" "), F(&V::provNasc)}},
    {"Sesso:", {F(&V::sesso)}},
    {"Recapito preferenziale:", {F(&V::recapito)}},
    {"Indirizzo di residenza:", {F(&V::indirizzoRes)}},
    {"Comune di residenza:", {F(&V::comuneRes), L(" "), F(&V::provRes)}},
    {"Categoria di appartenenza:", {F(&V::categoria)}},
    {"Tel. casa:", {F(&V::telCasa)}},
    {"Tel. ufficio:", {F(&V::telUff)}},
    {"Tel. cellulare:", {F(&V::telCel)}},
    {"Fax:", {F(&V::fax)}},
    {"E-mail:", {F(&V::email)}},
    {"Codice fiscale:", {F(&V::codFisc)}},
    {"Partita IVA:", {F(&V::partitaIva)}},
    {"Carta di credito:", {L("N. "), F(&V::carta), L("  -  Scadenza: "), F(&V::scadeCarta)}},
    {"IBAN:", {F(&V::iban)}},
    {"Tipo documento:", {F(&V::tipoDoc)}},
    {"Numero documento:", {F(&V::numDoc)}},
    {"Ente di rilascio:", {F(&V::enteRil)}},
    {"Data di rilascio:", {F(&V::dataRil), L("  -  Scadenza: "), F(&V::dataSca)}},
    {"Codice tariffa:", {F(&V::codTariffa)}},
    {"Questioni in sospeso:", {F(&V::questioni)}},
    {"Note:", {F(&V::note)}},
};

} // namespace

std::span<const Source> sources()
{
    return sourceTable;
}

std::array<Row, kRows> rows(const Values& values)
{
    std::array<Row, kRows> out;
    for (size_t i = 0; i < size_t(kRows); ++i) {
        out[i].title = QString::fromUtf8(rowTable[i].title);
        for (const Piece& piece : rowTable[i].pieces) {
            if (piece.field)
                out[i].value += CodePage::trimmed(values.*piece.field);
            else if (piece.literal)
                out[i].value += QString::fromUtf8(piece.literal);
        }
    }
    return out;
}

QString footer(const QDateTime& moment)
{
    return QStringLiteral("Stampa eseguita in data ") % moment.toString(QStringLiteral("dd/MM/yyyy"))
        % QStringLiteral(" alle ore ") % moment.toString(QStringLiteral("hh:mm:ss"));
}

const Report::TemplateDef& def()
{
    // The folder picture lives in this library's resources; they must be in before a template loads it.
    static const bool registered = (initInfoSheetResources(), true);
    Q_UNUSED(registered);
    return sheet;
}

QString titleObject(int k)
{
    return QString::fromLatin1(titleNames[size_t(k - 1)].data());
}
QString valueObject(int k)
{
    return QString::fromLatin1(valueNames[size_t(k - 1)].data());
}

void fill(Report::Template& sheet, const Values& values, const QDateTime& moment)
{
    sheet.page().setOrientation(Report::Orientation::Portrait);
    sheet.text(QStringLiteral("txtTitolo"))->setText(QStringLiteral("SCHEDA ANAGRAFICA ESECUTORE"));
    const auto filled = rows(values);
    for (int k = 1; k <= kRows; ++k) {
        sheet.text(titleObject(k))->setText(filled[size_t(k - 1)].title);
        sheet.text(valueObject(k))->setText(filled[size_t(k - 1)].value);
    }
    sheet.text(QStringLiteral("txtCalce"))->setText(footer(moment));
}

QString pdfPath()
{
    return ProgramFolder::file(QStringLiteral("Esecutore.pdf"));
}

Message pdfWritten()
{
    return {MessageKind::Confirmation,
            QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                           "Si vuole aprire il file?")};
}

Message pdfNotWritten()
{
    return {MessageKind::Error,
            QStringLiteral("Attenzione: non è stato possibile scrivere il file Esecutore.pdf.\r\n\r\n"
                           "Se il file è aperto in un altro programma, chiuderlo e ripetere l'esportazione; "
                           "altrimenti accertarsi di possedere i privilegi di scrittura nella cartella di "
                           "installazione del programma.")};
}

} // namespace InfoSheet
