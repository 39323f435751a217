#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <functional>

#include "tests/help/HelpTestSupport.h"

namespace {

// What a page of the help file holds, read from the viewer's document.
struct TPageContents {
    QStringList Pictures;
    QStringList LinkTargets;
    QSet<QString> Anchors;
    std::vector<int> HeadingLevels;
};

TPageContents ContentsOf(const QTextDocument& document)
{
    TPageContents contents;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            contents.HeadingLevels.push_back(block.blockFormat().headingLevel());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                contents.Pictures.append(format.toImageFormat().name());
            if (format.isAnchor()) {
                if (!format.anchorHref().isEmpty())
                    contents.LinkTargets.append(format.anchorHref());
                for (const QString& name : format.anchorNames())
                    contents.Anchors.insert(name);
            }
        }
    }
    return contents;
}

hh::THelpViewer& ShowTopic(const QString& helpFile, int topic)
{
    EXPECT_EQ(hh::ShowContext(helpFile, topic, 0), 0);
    return *OpenViewers().at(0);
}

struct TTopic {
    int Number;
    QString Title;
    QString WindowPicture;
};

void PrintTo(const TTopic& topic, std::ostream* out)
{
    *out << "topic " << topic.Number;
}

class HelpTopics : public HelpTest, public ::testing::WithParamInterface<TTopic> {};

TEST_P(HelpTopics, ShowTheRulesInTheirLanguageWithEveryPictureAndLink)
{
    const TTopic& topic = GetParam();
    hh::THelpViewer& viewer = ShowTopic(BuiltHelpFile(), topic.Number);
    EXPECT_EQ(viewer.windowTitle(), topic.Title);

    const TPageContents contents = ContentsOf(*viewer.document());
    EXPECT_TRUE(contents.Pictures.contains(QStringLiteral("images/") + topic.WindowPicture));
    for (const QString& picture : contents.Pictures) {
        const QVariant data = viewer.loadResource(QTextDocument::ImageResource, QUrl(picture));
        EXPECT_FALSE(QImage::fromData(data.toByteArray()).isNull()) << picture.toStdString();
    }
    ASSERT_FALSE(contents.LinkTargets.isEmpty());
    for (const QString& target : contents.LinkTargets) {
        ASSERT_TRUE(target.startsWith(QLatin1Char('#'))) << target.toStdString();
        EXPECT_TRUE(contents.Anchors.contains(target.mid(1))) << target.toStdString();
    }

    // The style sheet took: headings in the game's night blue.
    const QTextBlock title = viewer.document()->begin();
    ASSERT_EQ(title.blockFormat().headingLevel(), 1);
    EXPECT_EQ(title.begin().fragment().charFormat().foreground().color(), QColor(0x2e, 0x2a, 0x78));
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpTopics,
                         ::testing::Values(TTopic{1, kGermanTitle, QStringLiteral("window-de.png")},
                                           TTopic{2, kEnglishTitle, QStringLiteral("window-en.png")}));

TEST_F(HelpTest, BothLanguagesHaveTheSameHeadingsAndPicturesInTheSameOrder)
{
    const auto contentsOf = [this](int topic) {
        TPageContents contents = ContentsOf(*ShowTopic(BuiltHelpFile(), topic).document());
        const QRegularExpression language(QStringLiteral("window-(de|en)"));
        contents.Pictures.replaceInStrings(language, QStringLiteral("window"));
        return contents;
    };
    const TPageContents german = contentsOf(1);
    const TPageContents english = contentsOf(2);

    EXPECT_EQ(german.HeadingLevels, english.HeadingLevels);
    EXPECT_EQ(german.Pictures, english.Pictures);
    EXPECT_EQ(german.LinkTargets.size(), english.LinkTargets.size());
}

struct TReading {
    int Topic;
    QStringList InOrder;  // lines a screen reader must read one after another, in this order
};

void PrintTo(const TReading& reading, std::ostream* out)
{
    *out << "topic " << reading.Topic;
}

class HelpReading : public HelpTest, public ::testing::WithParamInterface<TReading> {};

TEST_P(HelpReading, AScreenReaderReadsTheTablesCellByCellInTheirOrder)
{
    hh::THelpViewer& viewer = ShowTopic(BuiltHelpFile(), GetParam().Topic);
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(&viewer);
    ASSERT_NE(reading, nullptr);
    EXPECT_TRUE(reading->state().focusable);
    EXPECT_TRUE(reading->state().readOnly);
    QAccessibleTextInterface* text = reading->textInterface();
    ASSERT_NE(text, nullptr);
    const QString read = text->text(0, text->characterCount());
    EXPECT_EQ(read.size(), text->characterCount());

    for (const QChar mark : {QChar(0xfdd0), QChar(0xfdd1), QChar(QChar::ObjectReplacementCharacter)})
        EXPECT_FALSE(read.contains(mark)) << "mark U+" << std::hex << int(mark.unicode());
    qsizetype from = 0;
    for (const QString& lines : GetParam().InOrder) {
        const qsizetype at = read.indexOf(lines, from);
        EXPECT_GE(at, from) << lines.toStdString();
        from = std::max(from, at);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, HelpReading,
    ::testing::Values(
        TReading{2,
                 {QStringLiteral("The goal\nThe window\nMoving a piece\nLayers\nSquares, rows and columns"),
                  QStringLiteral("\n1\nThe board: 9 × 9 cells.\n2\nThe preview box"),
                  QStringLiteral("\nFor\nPoints\neach tile that lands on an empty cell\n1\n"),
                  QStringLiteral("\nKey\nDoes\nCtrl+N\nNew game, like the bomb button.\nP or Pause\n")}},
        TReading{1,
                 {QStringLiteral("\nWofür\nPunkte\n"),
                  QStringLiteral("\nTaste\nTut\nStrg+N\nNeues Spiel, wie der Knopf mit der Bombe.\nP oder Pause\n")}}));

struct TProblem {
    const char* Name;
    std::function<QString(const QString& folder)> MakeHelpFile;  // returns the path to ask for
    int Topic;
    QString German;
    QString English;
};

void PrintTo(const TProblem& problem, std::ostream* out)
{
    *out << problem.Name;
}

QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

class HelpProblems : public HelpTest, public ::testing::WithParamInterface<TProblem> {};

TEST_P(HelpProblems, AreShownInTheViewerItself)
{
    const TProblem& problem = GetParam();
    const QString helpFile = problem.MakeHelpFile(Folder());

    hh::THelpViewer& viewer = ShowTopic(helpFile, problem.Topic);

    EXPECT_TRUE(viewer.isVisible());
    const QString page = viewer.toPlainText();
    EXPECT_TRUE(page.contains(problem.German)) << page.toStdString();
    EXPECT_TRUE(page.contains(problem.English)) << page.toStdString();
    EXPECT_TRUE(page.contains(QFileInfo(helpFile).fileName())) << page.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, HelpProblems,
    ::testing::Values(
        TProblem{"missing", [](const QString& folder) { return folder + QStringLiteral("gone/nvgd.rcc"); }, 1,
                 QStringLiteral("wurde nicht gefunden"), QStringLiteral("was not found")},
        TProblem{
            "not a help file",
            [](const QString& folder) { return WriteFile(folder + QStringLiteral("nvgd.rcc"), "<html>rules</html>"); },
            1, QString::fromUtf8("ist beschädigt"), QStringLiteral("is damaged")},
        TProblem{"empty", [](const QString& folder) { return WriteFile(folder + QStringLiteral("nvgd.rcc"), {}); }, 2,
                 QString::fromUtf8("ist beschädigt"), QStringLiteral("is damaged")},
        TProblem{"cut off",
                 [](const QString& folder) {
                     const QByteArray bytes = BuiltHelpBytes();
                     return WriteFile(folder + QStringLiteral("nvgd.rcc"), bytes.left(bytes.size() / 2));
                 },
                 2, QString::fromUtf8("ist beschädigt"), QStringLiteral("is damaged")},
        TProblem{"grown past four gigabytes",
                 [](const QString& folder) {
                     const QString path = WriteFile(folder + QStringLiteral("nvgd.rcc"), BuiltHelpBytes());
                     EXPECT_TRUE(QFile::resize(path, (qint64(1) << 32) + 1));
                     return path;
                 },
                 1, QString::fromUtf8("ist beschädigt"), QStringLiteral("is damaged")},
        TProblem{"unknown topic", [](const QString&) { return BuiltHelpFile(); }, 3, QStringLiteral("kein Thema 3"),
                 QStringLiteral("no topic 3")},
        TProblem{"topic zero", [](const QString&) { return BuiltHelpFile(); }, 0, QStringLiteral("kein Thema 0"),
                 QStringLiteral("no topic 0")}));

TEST_F(HelpTest, AHelpFileThatWasMissingIsReadAtTheNextRequest)
{
    const QString helpFile = Folder() + QStringLiteral("nvgd.rcc");
    ASSERT_TRUE(ShowTopic(helpFile, 2).toPlainText().contains(QStringLiteral("was not found")));

    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), helpFile));
    hh::THelpViewer& viewer = ShowTopic(helpFile, 2);

    EXPECT_EQ(viewer.windowTitle(), kEnglishTitle);
    EXPECT_FALSE(viewer.toPlainText().contains(QStringLiteral("was not found")));
}

TEST_F(HelpTest, TheSameTopicAfterAnotherOneIsShownAgain)
{
    hh::THelpViewer& viewer = ShowTopic(BuiltHelpFile(), 1);
    ShowTopic(BuiltHelpFile(), 9);
    ASSERT_TRUE(viewer.toPlainText().contains(QStringLiteral("no topic 9")));

    ShowTopic(BuiltHelpFile(), 1);

    EXPECT_EQ(viewer.windowTitle(), kGermanTitle);
    EXPECT_FALSE(viewer.toPlainText().contains(QStringLiteral("no topic 9")));
}

TEST_F(HelpTest, AnInstalledGameFindsTheHelpFileWhereTheInstallPutsIt)
{
    // The install's folders, rebuilt inside the test's folder.
    const QString programs = Folder() + QStringLiteral(NOVAGRID_INSTALL_PROGRAMS);
    const QString help = Folder() + QStringLiteral(NOVAGRID_INSTALL_HELP);
    ASSERT_TRUE(QDir().mkpath(programs));
    ASSERT_TRUE(QDir().mkpath(help));
    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), help + QStringLiteral("/nvgd.rcc")));

    hh::THelpViewer& viewer = ShowTopic(programs + QStringLiteral("/nvgd.rcc"), 1);

    EXPECT_EQ(viewer.windowTitle(), kGermanTitle);
}

}  // namespace
