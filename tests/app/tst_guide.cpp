// The user guide the build writes, read back with poppler and compared with its source: a bookmark
// per chapter with its sections, a contents page with the right page numbers whose lines are links
// to those pages, no heading left alone at the foot of a page, every caption on the page of its
// picture, the buttons named as they read on screen, a chapter for each of the later capabilities,
// the version it describes, and none of the sentences the program has outgrown.

#include "PdfReadBack.h"
#include "help/HelpPages.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kGuide = QStringLiteral(TASSELLA_PROGRAM_DIR "/Guida.pdf");

struct Heading {
    int level;
    QString title;
};

struct Bookmark {
    int level;
    QString title;
    int page;
};

// The headings of the source after its title, and the captions of its pictures, in order.
void readSource(QList<Heading>& headings, QStringList& captions)
{
    QFile source(QStringLiteral(TASSELLA_SOURCE_DIR "/docs/Guida.md"));
    if (!source.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression heading(QStringLiteral("^(#{1,2}) (.+)$"));
    static const QRegularExpression picture(QStringLiteral("^!\\[([^\\]]+)\\]"));
    bool chapters = false;
    for (const QString& line : QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch found = heading.match(line.trimmed());
        if (found.hasMatch()) {
            const int level = int(found.captured(1).size());
            chapters = chapters || (level == 1 && found.captured(2).startsWith(QLatin1String("1. ")));
            if (chapters)
                headings.append({level, found.captured(2).trimmed()});
        }
        const QRegularExpressionMatch caption = picture.match(line.trimmed());
        if (caption.hasMatch())
            captions << caption.captured(1);
    }
}

// The PDF's outline as pdftohtml gives it: nested <outline> lists of <item page="n">.
QList<Bookmark> bookmarks()
{
    QList<Bookmark> found;
    QXmlStreamReader xml(PdfReadBack::run(
        QStringLiteral("pdftohtml"),
        {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"), QStringLiteral("-q"), kGuide}));
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("outline"))
            ++depth;
        else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("outline"))
            --depth;
        else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("item")) {
            const int page = xml.attributes().value(QLatin1String("page")).toInt();
            found.append({depth, xml.readElementText().trimmed(), page});
        }
    }
    return found;
}

// The non-empty lines of one page (1-based) as pdftotext reads them.
QStringList pageLines(int page, bool layout = false)
{
    QStringList arguments = {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)};
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << kGuide << QStringLiteral("-");
    QStringList lines;
    for (const QString& line : QString::fromUtf8(PdfReadBack::run(QStringLiteral("pdftotext"), arguments)).split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

// The text of pages first to last, its blanks and line ends made single spaces.
QString pagesText(int first, int last)
{
    return QString::fromUtf8(PdfReadBack::run(QStringLiteral("pdftotext"),
                                              {QStringLiteral("-f"), QString::number(first), QStringLiteral("-l"),
                                               QString::number(last), kGuide, QStringLiteral("-")}))
        .simplified();
}

// The links of each page as pdftohtml reads the link annotations: the text a link covers and the
// page it leads to.
struct LinkedText {
    int page;
    QString text;
    int target;
};
QList<LinkedText> linkedTexts()
{
    QList<LinkedText> found;
    QXmlStreamReader xml(PdfReadBack::run(
        QStringLiteral("pdftohtml"),
        {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"), QStringLiteral("-q"), kGuide}));
    static const QRegularExpression pageAnchor(QStringLiteral("#(\\d+)$"));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            page = xml.attributes().value(QLatin1String("number")).toInt();
        } else if (xml.name() == QLatin1String("a")) {
            const QRegularExpressionMatch target =
                pageAnchor.match(xml.attributes().value(QLatin1String("href")).toString());
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            if (target.hasMatch())
                found.append({page, text, target.captured(1).toInt()});
        }
    }
    return found;
}

} // namespace

class TestGuide : public QObject {
    Q_OBJECT

    QList<Heading> m_headings;
    QStringList m_captions;
    int m_pages = 0;

private slots:
    void initTestCase()
    {
        if (!PdfReadBack::toolsPresent() || QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("poppler-utils is not installed");
        QVERIFY(QFile::exists(kGuide));
        readSource(m_headings, m_captions);
        QVERIFY(m_headings.size() > 20);
        QVERIFY(m_captions.size() >= 15);
        m_pages = PdfReadBack::infoValue(kGuide, QStringLiteral("Pages")).toInt();
        QVERIFY(m_pages >= 10);
    }

    // One bookmark per chapter, its sections under it, each on the page where its heading stands.
    void bookmarksFollowTheChapters()
    {
        const QList<Bookmark> found = bookmarks();
        QCOMPARE(found.size(), m_headings.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].title, m_headings[i].title);
            QCOMPARE(found[i].level, m_headings[i].level);
            QVERIFY2(pageLines(found[i].page).join(' ').contains(found[i].title), qPrintable(found[i].title));
        }
    }

    // The contents pages come before chapter 1, the first headed "Indice", and give each heading
    // with its page.
    void contentsPageGivesThePages()
    {
        const QList<Bookmark> found = bookmarks();
        QVERIFY(!found.isEmpty());
        int contents = 0;
        for (int page = 1; page < found.first().page && !contents; ++page)
            if (pageLines(page).value(0) == QLatin1String("Indice"))
                contents = page;
        QVERIFY2(contents > 0, "no page headed \"Indice\" before chapter 1");
        QStringList lines;
        for (int page = contents; page < found.first().page; ++page)
            lines << pageLines(page, true);
        for (const Bookmark& bookmark : found) {
            const QRegularExpression line(QLatin1Char('^') + QRegularExpression::escape(bookmark.title)
                                          + QStringLiteral("\\s+") + QString::number(bookmark.page) + QLatin1Char('$'));
            QVERIFY2(!lines.filter(line).isEmpty(), qPrintable(bookmark.title));
        }
    }

    // Each contents line, the title and its page number, is a link to the heading's page; no other
    // page has links.
    void contentsLinesLinkToTheirPages()
    {
        const QList<Bookmark> found = bookmarks();
        QVERIFY(!found.isEmpty());
        const QList<LinkedText> links = linkedTexts();
        QVERIFY(!links.isEmpty());
        for (const LinkedText& link : links)
            QVERIFY2(link.page < found.first().page,
                     qPrintable(QStringLiteral("a link on page %1: %2").arg(link.page).arg(link.text)));
        for (const Bookmark& bookmark : found) {
            const auto leads = [&](const QString& text) {
                return std::any_of(links.begin(), links.end(), [&](const LinkedText& link) {
                    return link.text == text && link.target == bookmark.page;
                });
            };
            QVERIFY2(leads(bookmark.title), qPrintable(bookmark.title));
            QVERIFY2(leads(QString::number(bookmark.page)), qPrintable(bookmark.title));
        }
    }

    // A chapter for each capability that came after the first guide, telling what a clerk needs.
    void chapterForEveryCapability_data()
    {
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("batch issuing") << "10. Emissione per più Esecutori"
                                       << QStringList{"EMISSIONE PER PIÙ ESECUTORI",
                                                      "Elenca",
                                                      "Seleziona tutti",
                                                      "Gli avvisi",
                                                      "Anteprima",
                                                      "stesso codice tariffa",
                                                      "La risposta proposta è No",
                                                      "Stampa",
                                                      "Salva PDF"};
        QTest::newRow("payer import") << "11. Importare gli Esecutori da un foglio di calcolo"
                                      << QStringList{"Importa esecutori", "LibreOffice Calc",
                                                     "Microsoft Excel",   "CSV",
                                                     "(non importare)",   "CAP 00100 diventa 100",
                                                     "Saltarli",          "Aggiornare la loro scheda",
                                                     "codice fiscale"};
        QTest::newRow("backup, restore, check")
            << "12. Backup, ripristino e verifica degli archivi" << QStringList{"Esegui backup",
                                                                                "Tassella-backup-",
                                                                                "Backup da conservare",
                                                                                "Ripristina",
                                                                                "Prima del ripristino",
                                                                                "Verifica archivi",
                                                                                "Non modifica nessun file",
                                                                                "Recuperare un archivio danneggiato"};
        QTest::newRow("keyboard and screen reader")
            << "13. Lavorare con la tastiera e con un lettore di schermo"
            << QStringList{"Ctrl+N",    "Ctrl+S", "Ctrl+P", "Ctrl+F", "Pag↑", "Pag↓", "Ctrl+↖",
                           "Ctrl+Fine", "F1",     "Ctrl+W", "Invio",  "Esc",  "Tab",  "lettore di schermo",
                           "Orca"};
        QTest::newRow("installing") << "14. Installazione e cartella dei dati"
                                    << QStringList{"sudo apt install", "install.sh", "cartella dei dati",
                                                   "Al primo accesso la password è TASSELLA", "primo avvio"};
        QTest::newRow("several PCs") << "15. Più computer su una cartella condivisa"
                                     << QStringList{
                                            "insieme", "Ricarica", "Sovrascrivi", "Riprova", "non è stato provato",
                                            "smbnetfs"};
    }
    void chapterForEveryCapability()
    {
        QFETCH(QString, chapter);
        QFETCH(QStringList, says);
        const QList<Bookmark> found = bookmarks();
        const auto at = std::find_if(found.begin(), found.end(),
                                     [&](const Bookmark& b) { return b.level == 1 && b.title == chapter; });
        QVERIFY2(at != found.end(), qPrintable(chapter));
        const auto next = std::find_if(at + 1, found.end(), [](const Bookmark& b) { return b.level == 1; });
        const QString text = pagesText(at->page, next == found.end() ? m_pages : next->page - 1);
        for (const QString& phrase : says)
            QVERIFY2(text.contains(phrase), qPrintable(phrase));
    }

    // The guide and the start menu's page say nothing that the program has outgrown.
    void noOutgrownStatements_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("one PC at a time") << "uno alla volta";
        QTest::newRow("copying the folder as a backup") << "copia di sicurezza è sufficiente copiare";
        QTest::newRow("copying the folder as a backup, help") << "basta copiare la cartella";
        QTest::newRow("data beside the executable") << "Tutti i dati si trovano nella cartella del programma";
        QTest::newRow("payer editor's Duplica") << "\"Duplica\" e \"Cancella\"";
    }
    void noOutgrownStatements()
    {
        QFETCH(QString, sentence);
        QVERIFY(!pagesText(1, m_pages).contains(sentence));
        QVERIFY(!HelpPages::startMenuBody().simplified().contains(sentence));
    }

    // The guide names the version of the program it describes, on its first page.
    void statesTheVersion()
    {
        QVERIFY(
            pagesText(1, 1).contains(QStringLiteral("Questa guida descrive Tassella versione " TASSELLA_VERSION ".")));
        QVERIFY(!pagesText(1, m_pages).contains(QStringLiteral("{{")));
    }

    // A heading is followed on its page by text of its own, not by the page number.
    void headingsStayWithTheirText()
    {
        for (const Bookmark& bookmark : bookmarks()) {
            // A long heading may take two lines.
            const QString page = pageLines(bookmark.page).join(QLatin1Char('\n'));
            QStringList words = bookmark.title.split(QLatin1Char(' '));
            for (QString& word : words)
                word = QRegularExpression::escape(word);
            const QRegularExpressionMatch heading = QRegularExpression(words.join(QStringLiteral("\\s+"))).match(page);
            QVERIFY2(heading.hasMatch(), qPrintable(bookmark.title));
            const QString after = page.mid(heading.capturedEnd()).trimmed();
            QVERIFY2(!after.isEmpty() && after != QString::number(bookmark.page),
                     qPrintable(QStringLiteral("%1 ends page %2").arg(bookmark.title).arg(bookmark.page)));
        }
    }

    // The pictures in order, each with its caption on the same page.
    void captionsStayWithTheirPictures()
    {
        QList<int> pictures;
        const QString list = QString::fromUtf8(PdfReadBack::run(QStringLiteral("pdfimages"), {"-list", kGuide}));
        for (const QString& line : list.split('\n').mid(2)) {
            const QStringList fields = line.simplified().split(' ');
            if (fields.size() > 2 && fields.at(2) == QLatin1String("image"))
                pictures << fields.at(0).toInt();
        }
        QCOMPARE(pictures.size(), m_captions.size());
        for (qsizetype i = 0; i < pictures.size(); ++i)
            QVERIFY2(pageLines(pictures[i]).contains(m_captions[i]),
                     qPrintable(QStringLiteral("\"%1\" is not on page %2").arg(m_captions[i]).arg(pictures[i])));
    }

    // The buttons as they read on screen; every letter searchable (no ligatures).
    void namesAsOnScreen()
    {
        const QString text = QString::fromUtf8(PdfReadBack::run(QStringLiteral("pdftotext"), {kGuide, "-"}));
        QVERIFY(text.contains(QStringLiteral("\"Allega file\" nella schermata dei bollettini")));
        QVERIFY(!text.contains(QStringLiteral("\"Allega\"")));
        QVERIFY(text.contains(QStringLiteral("ufficio")));
        QVERIFY(!text.contains(QChar(0xFB00)) && !text.contains(QChar(0xFB01)) && !text.contains(QChar(0xFB03)));
    }
};

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
