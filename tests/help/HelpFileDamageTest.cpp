#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <functional>
#include <random>

#include "tests/help/HelpTestSupport.h"

namespace {

// Where the resource compiler put the parts of the help file: its header
// names the offsets of the data (pages and pictures, each after its length),
// the names and the tree of entries. Names and tree, together the index,
// follow the data.
struct TBundleLayout {
    qsizetype DataStart = 0;
    qsizetype IndexStart = 0;
    qsizetype End = 0;
};

TBundleLayout LayoutOf(const QByteArray& bundle)
{
    const auto offsetAt = [&bundle](qsizetype at) {
        return qsizetype(qFromBigEndian<quint32>(bundle.constData() + at));
    };
    const qsizetype tree = offsetAt(8);
    const qsizetype data = offsetAt(12);
    const qsizetype names = offsetAt(16);
    return {data, std::min(tree, names), bundle.size()};
}

using TRandom = std::mt19937;

qsizetype Below(TRandom& random, qsizetype bound)
{
    return std::uniform_int_distribution<qsizetype>(0, bound - 1)(random);
}

qsizetype Between(TRandom& random, qsizetype first, qsizetype end)
{
    return first + Below(random, end - first);
}

// Flips one to four bytes, each by a non-zero pattern, between `first` and `end`.
void FlipBytes(QByteArray& bundle, TRandom& random, qsizetype first, qsizetype end)
{
    const qsizetype flips = Between(random, 1, 5);
    for (qsizetype i = 0; i < flips; ++i)
        bundle[Between(random, first, end)] ^= char(Between(random, 1, 256));
}

struct TDamage {
    const char* Name;
    int Copies;
    std::function<void(QByteArray& bundle, const TBundleLayout& layout, TRandom& random)> Apply;
};

void PrintTo(const TDamage& damage, std::ostream* out)
{
    *out << damage.Name;
}

class HelpFileDamage : public HelpTest, public ::testing::WithParamInterface<TDamage> {};

// Every damaged copy of the help file, whatever the damage, gets the viewer's
// own page saying so: no crash, no endless loop, no read past the file. A
// copy that came out unchanged shows its topic.
TEST_P(HelpFileDamage, ShowsTheDamagedPageForEverySeededDamage)
{
    const QByteArray built = BuiltHelpBytes();
    const TBundleLayout layout = LayoutOf(built);
    ASSERT_LT(layout.DataStart, layout.IndexStart);
    TRandom random(20261210);

    for (int copy = 0; copy < GetParam().Copies; ++copy) {
        QByteArray bundle = built;
        GetParam().Apply(bundle, layout, random);
        const int topic = 1 + copy % 2;
        const QString helpFile = Folder() + QStringLiteral("nvgd-%1.rcc").arg(copy);
        {
            QFile file(helpFile);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(bundle), bundle.size());
        }
        {
            hh::THelpViewer viewer(helpFile);
            viewer.ShowTopic(topic);
            if (bundle == built) {
                EXPECT_EQ(viewer.windowTitle(), topic == 1 ? kGermanTitle : kEnglishTitle) << "copy " << copy;
            } else {
                const QString page = viewer.toPlainText();
                const bool saysDamaged =
                    page.contains(QString::fromUtf8("ist beschädigt")) && page.contains(QStringLiteral("is damaged"));
                EXPECT_TRUE(saysDamaged) << "copy " << copy << ": " << page.left(200).toStdString();
            }
        }
        QFile::remove(helpFile);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Seeded, HelpFileDamage,
    ::testing::Values(TDamage{"IndexFlips", 300,
                              [](QByteArray& bundle, const TBundleLayout& layout, TRandom& random) {
                                  FlipBytes(bundle, random, layout.IndexStart, layout.End);
                              }},
                      TDamage{"DataFlips", 300,
                              [](QByteArray& bundle, const TBundleLayout& layout, TRandom& random) {
                                  FlipBytes(bundle, random, layout.DataStart, layout.IndexStart);
                              }},
                      TDamage{"CutOff", 300,
                              [](QByteArray& bundle, const TBundleLayout&, TRandom& random) {
                                  bundle.truncate(Below(random, bundle.size()));
                              }},
                      TDamage{"RunsOfFF", 300,
                              [](QByteArray& bundle, const TBundleLayout& layout, TRandom& random) {
                                  // Half the runs land in the index, half anywhere in the file.
                                  const qsizetype first = Below(random, 2) == 0 ? layout.IndexStart : 0;
                                  const qsizetype start = Between(random, first, layout.End);
                                  const qsizetype length = std::min(Between(random, 1, 257), layout.End - start);
                                  bundle.replace(start, length, QByteArray(length, '\xff'));
                              }},
                      TDamage{"WholeIndexFF", 1,
                              [](QByteArray& bundle, const TBundleLayout& layout, TRandom&) {
                                  bundle.replace(layout.IndexStart, layout.End - layout.IndexStart,
                                                 QByteArray(layout.End - layout.IndexStart, '\xff'));
                              }}),
    [](const ::testing::TestParamInfo<TDamage>& info) { return std::string(info.param.Name); });

// The file may be written over while the rules are open; the viewer keeps
// showing what it checked when it opened the file.
TEST_F(HelpTest, TheOpenRulesOutliveDamageToTheirFile)
{
    const QString helpFile = Folder() + QStringLiteral("nvgd.rcc");
    ASSERT_TRUE(QFile::copy(BuiltHelpFile(), helpFile));
    hh::THelpViewer viewer(helpFile);
    viewer.ShowTopic(1);
    ASSERT_EQ(viewer.windowTitle(), kGermanTitle);

    QFile file(helpFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(QByteArray(file.size(), '\xff')), file.size());
    file.close();
    viewer.ShowTopic(2);

    EXPECT_EQ(viewer.windowTitle(), kEnglishTitle);
}

}  // namespace
