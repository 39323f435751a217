#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "assets/Assets.h"
#include "assets/Texts.h"
#include "records/GameSettings.h"
#include "shell/GameSession.h"
#include "shell/MainForm.h"
#include "shell/WindowGeometry.h"
#include "shell/Zoom.h"
#include "tests/shell/TongueGuard.h"

// These run at the zoom that ctest sets for the whole program (see ZoomMain.cpp).

namespace {

QImage Opaque(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// Every pixel of `art` as a zoom × zoom block.
QImage Blocks(const QImage& art)
{
    return art.scaled(art.size() * Zoom::InForce(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Whether `shot` shows the picture `name` with each of its pixels as a block,
// anywhere: the opaque pixels must match exactly, the see-through ones show
// whatever lies under them.
bool ShowsInBlocks(const QImage& shot, const QString& name)
{
    const QImage art = Blocks(Assets::Picture(name).convertToFormat(QImage::Format_ARGB32));
    const QImage seen = shot.convertToFormat(QImage::Format_ARGB32);
    for (int top = 0; top + art.height() <= seen.height(); ++top) {
        for (int left = 0; left + art.width() <= seen.width(); ++left) {
            bool same = true;
            for (int y = 0; same && y < art.height(); ++y) {
                for (int x = 0; same && x < art.width(); ++x) {
                    const QRgb pixel = art.pixel(x, y);
                    same = qAlpha(pixel) < 255 || (seen.pixel(left + x, top + y) | 0xff000000) == pixel;
                }
            }
            if (same)
                return true;
        }
    }
    return false;
}

}  // namespace

TEST(ZoomedWindow, KeepsItsSeedLayoutAndIsZoomTimesLargerOnTheScreen)
{
    const int zoom = Zoom::InForce();
    TMainForm form(7);
    form.CreateDialogs();
    EXPECT_EQ(form.size(), Zoom::SeedSize()) << "the rules and the drawing keep their pixels";
    EXPECT_EQ(form.devicePixelRatio(), zoom);
    EXPECT_EQ(form.grab().size(), Zoom::SeedSize() * zoom);
    for (const char* name :
         {"EndGameDlg", "InfoDialog", "TongueDlg", "HighscoreDlg", "GiveUpDlg", "GameOverDlg", "QuitGameDlg"}) {
        auto* dialog = form.findChild<QDialog*>(QLatin1String(name));
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_EQ(dialog->grab().size(), dialog->size() * zoom) << name;
    }
}

TEST(ZoomedWindow, ShowsThePlayfieldWithEachOfItsPixelsAsABlock)
{
    const int zoom = Zoom::InForce();
    TMainForm form(7);
    form.findChild<QToolButton*>(QStringLiteral("StartBtn"))->click();  // a piece, a time bar, no first hint
    form.PaintPlayfield();
    const QImage window = form.grab().toImage();
    const QRect playfield(0, WindowGeometry::kToolBarHeight * zoom, TSurface::kWidth * zoom, TSurface::kHeight * zoom);
    EXPECT_EQ(Opaque(window.copy(playfield)), Opaque(Blocks(form.Session().PlayfieldImage())));
}

TEST(ZoomedWindow, ShowsThePicturesOfTheButtonsWithEachPixelAsABlock)
{
    TMainForm form(7);
    form.CreateDialogs();
    struct Case {
        const char* button;
        const char* picture;
    };
    for (const Case& each : {Case{"StartBtn", "bomb"}, Case{"PauseBtn", "cup"}, Case{"Soundbtn", "sound"},
                             Case{"ExitBtn", "door"}, Case{"BlumoBtn", "face_small"}}) {
        auto* button = form.findChild<QToolButton*>(QLatin1String(each.button));
        EXPECT_TRUE(ShowsInBlocks(button->grab().toImage(), QLatin1String(each.picture))) << each.button;
    }
    auto* sound = form.findChild<QToolButton*>(QStringLiteral("Soundbtn"));
    sound->setChecked(false);
    EXPECT_TRUE(ShowsInBlocks(sound->grab().toImage(), QStringLiteral("sound_off")));
    auto* tongueDlg = form.findChild<QDialog*>(QStringLiteral("TongueDlg"));
    EXPECT_TRUE(ShowsInBlocks(tongueDlg->findChild<QPushButton*>(QStringLiteral("EnglishBtn"))->grab().toImage(),
                              QStringLiteral("flags_en")));
    auto* highscoreDlg = form.findChild<QDialog*>(QStringLiteral("HighscoreDlg"));
    EXPECT_TRUE(ShowsInBlocks(highscoreDlg->findChild<QPushButton*>(QStringLiteral("OKBtn"))->grab().toImage(),
                              QStringLiteral("ok")));
}

TEST(ZoomedWindow, KeepsItsPlacementInRealScreenPixels)
{
    const int zoom = Zoom::InForce();
    {
        TMainForm form(7);
        form.move(40, 30);
        form.SavePlacement();
        const QRect frame = form.frameGeometry();
        EXPECT_EQ(TGameSettings().Placement(), QStringLiteral("200,0,1,%1,%2,%3,%4")
                                                   .arg(40 * zoom)
                                                   .arg(30 * zoom)
                                                   .arg((40 + frame.width()) * zoom)
                                                   .arg((30 + frame.height()) * zoom));
    }
    TGameSettings().SetPlacement(QStringLiteral("200,0,1,%1,%2,0,0").arg(60 * zoom).arg(90 * zoom));
    TMainForm form(7);
    form.RestorePlacement();
    EXPECT_EQ(form.pos(), QPoint(60, 90));
}

TEST(ZoomedWindow, AChoiceOfTheToolBarMenuIsKeptForTheNextStartInEitherLanguage)
{
    const TTongueGuard guard;
    TMainForm form(7);
    const auto choose = [&form](const char* action) {
        QTimer::singleShot(0, [action] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            auto* zoomMenu = menu->findChild<QMenu*>(QStringLiteral("ZoomMenu"));
            ASSERT_NE(zoomMenu, nullptr);
            QStringList texts;
            for (const QAction* each : zoomMenu->actions())
                texts << each->text();
            const TTexts& words = Texts();
            EXPECT_EQ(zoomMenu->title(), words.ZoomMenu);
            // The 4K screen's automatic zoom: the largest within 60 % of its height.
            const QString automatic =
                German() ? QStringLiteral("Automatisch (3 ×)") : QStringLiteral("Automatic (3 ×)");
            EXPECT_EQ(texts,
                      (QStringList{automatic, QStringLiteral("1 ×"), QStringLiteral("2 ×"), QStringLiteral("3 ×"),
                                   QStringLiteral("4 ×"), QString(), words.ZoomFromNextStart}));
            zoomMenu->findChild<QAction*>(QLatin1String(action))->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 10), form.mapToGlobal(QPoint(200, 10)));
        QCoreApplication::sendEvent(&form, &event);
    };
    tongue = TTongue::German;
    choose("ZoomAction3");
    EXPECT_EQ(TGameSettings().Zoom(), 3);
    tongue = TTongue::English;
    choose("ZoomAction0");
    EXPECT_EQ(TGameSettings().Zoom(), 0);
    EXPECT_EQ(form.devicePixelRatio(), Zoom::InForce()) << "not before the next start";
}

TEST(ZoomedWindow, ShowsThePicturesOfTheDialogsWithEachPixelAsABlock)
{
    for (const char* name : {"splash", "face", "brain"}) {
        QLabel label;
        label.setPixmap(Assets::PicturePixmap(QLatin1String(name)));
        label.adjustSize();
        EXPECT_EQ(Opaque(label.grab().toImage()), Opaque(Blocks(Assets::Picture(QLatin1String(name))))) << name;
    }
}
