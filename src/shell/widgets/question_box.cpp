#include "shell/widgets/question_box.h"

#include <utility>
#include <vector>

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace hygrova {
namespace {

QuestionHandler& Handler()
{
    static QuestionHandler handler;
    return handler;
}

}  // namespace

int AskQuestion(QWidget* parent, const QString& question, const QStringList& buttons)
{
    if (Handler()) {
        return Handler()(parent, question, buttons);
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Hygrova"), question,
                    QMessageBox::NoButton, parent);
    // Above the query dialog and the results window, which keep themselves on top.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    std::vector<QPushButton*> pressed;
    for (const QString& caption : buttons) {
        pressed.push_back(box.addButton(caption, QMessageBox::ActionRole));
    }
    box.setDefaultButton(pressed.front());
    box.setEscapeButton(pressed.back());
    box.exec();
    for (std::size_t i = 0; i < pressed.size(); ++i) {
        if (box.clickedButton() == pressed[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(buttons.size()) - 1;
}

SaveAnswer AskToSave(QWidget* parent, const QString& question)
{
    const int answer = AskQuestion(
        parent, question,
        {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")});
    return answer == 0 ? SaveAnswer::Save : answer == 1 ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

QuestionHandler SetQuestionHandler(QuestionHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace hygrova
