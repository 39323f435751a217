#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers the modal dialogs a test is about to open, one after the other,
// and writes down which ones came (by object name). Answers left over when
// it goes out of scope are dropped.
class TModalAnswers {
public:
    using TAnswer = std::function<void(QDialog&)>;

    explicit TModalAnswers(std::vector<TAnswer> answers) : state_(std::make_shared<TState>())
    {
        state_->answers = std::move(answers);
        Arm(state_);
    }
    ~TModalAnswers() { state_->answers.clear(); }

    const std::vector<std::string>& Seen() const { return state_->seen; }

    static TAnswer Result(int result)
    {
        return [result](QDialog& dialog) { dialog.done(result); };
    }
    static TAnswer CloseBox()
    {
        return [](QDialog& dialog) { dialog.close(); };
    }

private:
    struct TState {
        std::vector<TAnswer> answers;
        std::vector<std::string> seen;
        size_t next = 0;
    };

    static void Arm(const std::shared_ptr<TState>& state)
    {
        QTimer::singleShot(0, [state] {
            if (state->next >= state->answers.size())
                return;
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                Arm(state);  // the dialog is not up yet
                return;
            }
            state->seen.push_back(dialog->objectName().toStdString());
            const TAnswer answer = state->answers[state->next++];
            Arm(state);
            answer(*dialog);
        });
    }

    std::shared_ptr<TState> state_;
};
