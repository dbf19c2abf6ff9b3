#include "lists/Spreadsheet.h"

#include "data/CodePage.h"
#include "lists/Summary.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace Spreadsheet {
namespace {

// Bytes gathered before each write to the file.
constexpr qsizetype kChunk = 1 << 20;

constexpr char kHead[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";

constexpr char kOptions[] = "</x:Name>"
                            "<x:WorksheetOptions>"
                            "<x:Selected/>"
                            "<x:Panes>"
                            "<x:Pane>"
                            "<x:Number>1</x:Number>"
                            "<x:ActiveRow>3</x:ActiveRow>"
                            "</x:Pane>"
                            "</x:Panes>"
                            "<x:ProtectContents>False</x:ProtectContents>"
                            "<x:ProtectObjects>False</x:ProtectObjects>"
                            "<x:ProtectScenarios>False</x:ProtectScenarios>"
                            "</x:WorksheetOptions>"
                            "</x:ExcelWorksheet>"
                            "</x:ExcelWorksheets>"
                            "</x:ExcelWorkbook>"
                            "</xml><![endif]-->"
                            "</head>"
                            "<body>"
                            "<table x:str>";

constexpr char kTail[] = "</table></body></html>";

constexpr char kHeading[] = "<td style=\"text-align: left; font-weight: bold;\" width=";

// Every data cell is text: Excel reads mso-number-format and x:str, LibreOffice the Italian text
// format in sdnum; without them "00184" would open as the number 184 and "=1+1" as 2.
constexpr std::string_view kLeft = "<td style=\"text-align: left; mso-number-format:\\@;\" sdnum=\"1040;0;@\" x:str>";
constexpr std::string_view kRight = "<td style=\"text-align: right; mso-number-format:\\@;\" sdnum=\"1040;0;@\" x:str>";

// An amount cell: the value for each program (x:num for Excel, sdval for LibreOffice, both with a
// decimal point), shown with two decimals in the reader's own notation ("0.00" is given in English
// and LibreOffice turns it into the system's, "168,00" in an Italian one). The text between the
// tags stays the archive's, for any reader that takes neither attribute.
constexpr std::string_view kAmountStyle = "<td style=\"text-align: right; mso-number-format:0\\.00;\" sdval=\"";
constexpr std::string_view kAmountFormat = "\" sdnum=\"1033;0;0.00\" x:num=\"";

// "168,00" (or "168", "168,5", "-5,00") as "168.00"; nothing for a text that is no amount.
std::optional<std::string> amountValue(const QString& text)
{
    const std::optional<qint64> cents = Summary::amountCents(text);
    if (!cents)
        return std::nullopt;
    const quint64 size = *cents < 0 ? quint64(0) - quint64(*cents) : quint64(*cents);
    std::string value = *cents < 0 ? "-" : "";
    value += std::to_string(size / 100);
    value += '.';
    value += char('0' + size % 100 / 10);
    value += char('0' + size % 10);
    return value;
}

void appendEscaped(std::string& out, char byte)
{
    switch (byte) {
    case '&': out.append("&amp;"); break;
    case '<': out.append("&lt;"); break;
    case '>': out.append("&gt;"); break;
    case '"': out.append("&quot;"); break;
    default: out.push_back(byte);
    }
}

bool isSpecial(char byte)
{
    return byte == '&' || byte == '<' || byte == '>' || byte == '"';
}

// HTML readers fold a run of blanks into one; a blank written by number is kept, so every blank
// after the first of a run goes that way and "VIA  ROMA" keeps both its blanks.
constexpr std::string_view kBlank = "&#32;";

bool isBlank(char byte)
{
    return static_cast<unsigned char>(byte) <= 32;
}

// Appends value, trimmed and escaped.
void appendValue(std::string& out, QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    // Runs without a character to escape go in whole.
    qsizetype run = begin;
    for (qsizetype i = begin; i < end; ++i) {
        const bool repeatedBlank = bytes[i] == ' ' && i > begin && bytes[i - 1] == ' ';
        if (!isSpecial(bytes[i]) && !repeatedBlank)
            continue;
        out.append(bytes.data() + run, i - run);
        if (repeatedBlank)
            out.append(kBlank);
        else
            appendEscaped(out, bytes[i]);
        run = i + 1;
    }
    out.append(bytes.data() + run, end - run);
}

} // namespace

// Characters the code page cannot hold (only a typed text can have them) become numeric character
// references, which both programs read back.
void appendValue(std::string& out, const QString& text)
{
    const QString value = CodePage::trimmed(text);
    const QByteArray encoded = CodePage::encode(value);
    // encode() gives one byte per character (a surrogate pair is one character), "?" where the
    // code page has none: those characters are written by number instead.
    qsizetype j = 0;
    for (qsizetype i = 0; i < value.size(); ++i, ++j) {
        char32_t code = value.at(i).unicode();
        if (value.at(i).isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(value.at(i), value.at(i + 1));
            ++i;
        }
        const char byte = encoded.at(j);
        if (byte == ' ' && i > 0 && value.at(i - 1) == QLatin1Char(' ')) {
            out.append(kBlank);
            continue;
        }
        if (byte == '?' && code != U'?') {
            out.append("&#").append(std::to_string(static_cast<uint>(code))).push_back(';');
            continue;
        }
        appendEscaped(out, byte);
    }
}

bool write(const QString& path, const QString& sheetName, std::span<const Column> columns, const Rows& rows,
           QString* error)
{
    // The new file is written beside the old one and renamed over it in one step, so a failed
    // export leaves the previous file whole. It is not synced to the disk first, unlike the
    // archives: an export is made again from the archive in a moment, and a sync of a file this
    // size would double the time the user waits. The file system keeps a rename over an existing
    // file in order with its data.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    const auto fail = [&file, error] {
        if (error)
            *error = file.errorString();
        return false;
    };
    // Written in large blocks of its own: Qt's buffer would only copy them once more.
    if (!file.open())
        return fail();

    std::string buffer;
    buffer.reserve(kChunk + 64 * 1024);
    const auto flushBuffer = [&file, &buffer] {
        if (buffer.empty())
            return true;
        const auto size = static_cast<qint64>(buffer.size());
        if (file.write(buffer.data(), size) != size)
            return false;
        buffer.clear();
        return true;
    };

    buffer.append(kHead);
    appendValue(buffer, sheetName);
    buffer.append(kOptions);
    buffer.append("<tr>");
    for (const Column& column : columns) {
        buffer.append(kHeading).append(std::to_string(column.width)).push_back('>');
        appendValue(buffer, QString::fromUtf8(column.heading));
        buffer.append("</td>");
    }
    buffer.append("</tr>");

    const qsizetype count = rows.rowCount();
    const int columnCount = static_cast<int>(columns.size());
    for (qsizetype row = 0; row < count; ++row) {
        buffer.append("<tr>");
        for (int column = 0; column < columnCount; ++column) {
            const Cell cell = rows.cell(row, column);
            std::optional<std::string> amount;
            if (columns[column].content == Content::Amount)
                amount = amountValue(cell.text ? *cell.text : QString::fromLatin1(cell.bytes)); // digits are ASCII
            if (amount)
                buffer.append(kAmountStyle).append(*amount).append(kAmountFormat).append(*amount).append("\">");
            else
                buffer.append(columns[column].align == Align::Right ? kRight : kLeft);
            if (cell.text)
                appendValue(buffer, *cell.text);
            else
                appendValue(buffer, cell.bytes);
            buffer.append("</td>");
        }
        buffer.append("</tr>");
        if (buffer.size() >= kChunk && !flushBuffer())
            return fail();
    }
    buffer.append(kTail);

    if (!flushBuffer() || !file.flush())
        return fail();
    // The permissions the file had, or those of a new file, instead of the temporary file's own.
    const QFileDevice::Permissions permissions = QFileInfo::exists(path)
        ? QFile::permissions(path)
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    file.setPermissions(permissions);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

} // namespace Spreadsheet
