#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QMessageBox>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <ostream>
#include <vector>

#include "shell/help/HelpTrace.h"
#include "shell/help/HelpViewer.h"
#include "shell/help/hh.h"

// Places and sizes of windows in failure messages.
inline void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << point.x() << "," << point.y();
}

inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << "x" << rect.height() << " at " << rect.x() << "," << rect.y();
}

// The help file the build made from assets/help.
inline QString BuiltHelpFile()
{
    return QStringLiteral(NOVAGRID_HELP_FILE);
}

inline QByteArray BuiltHelpBytes()
{
    QFile file(BuiltHelpFile());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

inline const QString kGermanTitle = QString::fromUtf8("Novagrid – Spielregeln");
inline const QString kEnglishTitle = QString::fromUtf8("Novagrid – Rules of the game");

// The viewer windows that exist right now.
inline std::vector<hh::THelpViewer*> OpenViewers()
{
    std::vector<hh::THelpViewer*> viewers;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<hh::THelpViewer*>(widget))
            viewers.push_back(viewer);
    }
    return viewers;
}

// Each test starts as the game does, with the viewer installed and the
// trace off, in a folder of its own; no viewer outlives a test.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        hh::LoadHelpViewer({QStringLiteral("novagrid")}, Folder(), Folder());
    }
    void TearDown() override
    {
        hh::HHCloseAll();
        hh::HelpInstalled = true;
        hh::HelpTrace().SetClock(&QDateTime::currentDateTime);
    }

    // A fresh folder, ending with a separator.
    QString Folder() const { return folder_.path() + QLatin1Char('/'); }

    QTemporaryDir folder_;
};

// What a message box said.
struct TSeenMessage {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
};

// Closes every message box that comes up while it lives by pressing OK, and
// writes down what each one said.
class TMessageBoxWatcher {
public:
    TMessageBoxWatcher() : state_(std::make_shared<TState>()) { Arm(state_); }
    ~TMessageBoxWatcher() { state_->watching = false; }
    TMessageBoxWatcher(const TMessageBoxWatcher&) = delete;
    TMessageBoxWatcher& operator=(const TMessageBoxWatcher&) = delete;

    const std::vector<TSeenMessage>& Seen() const { return state_->seen; }

private:
    struct TState {
        bool watching = true;
        std::vector<TSeenMessage> seen;
    };

    static void Arm(const std::shared_ptr<TState>& state)
    {
        QTimer::singleShot(1, [state] {
            if (!state->watching)
                return;
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                state->seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->done(0);
            }
            Arm(state);
        });
    }

    std::shared_ptr<TState> state_;
};
