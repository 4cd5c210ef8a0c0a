// The real warning box and Qt's own texts in Chinese.

#include "shell/widgets/warning_box.h"

#include "shell/platform/qt_translations.h"

#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

class WarningBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallQtChineseTranslations(*qApp)); }
};

TEST_F(WarningBoxTest, HasAnEmptyTitleTheExclamationAndOneChineseOkButton)
{
    QString title = QStringLiteral("not seen");
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString text;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        title = box->windowTitle();
        icon = box->icon();
        text = box->text();
        for (const QAbstractButton* button : box->buttons()) {
            buttons.append(button->text());
        }
        box->buttons().constFirst()->click();
    });
    watch.start();
    ShowWarningBox(nullptr, QStringLiteral("请输入干球温度!"));
    watch.stop();
    EXPECT_EQ(title, QString());
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(text, QStringLiteral("请输入干球温度!"));
    EXPECT_EQ(buttons, QStringList({QStringLiteral("确定")}));
}

TEST_F(WarningBoxTest, EntryBoxMenuSpeaksChinese)
{
    QLineEdit box(QStringLiteral("25"));
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts.append(action->text());
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("复制(&C)")) ||
                texts.filter(QStringLiteral("复制")).size() == 1)
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.filter(QStringLiteral("Copy")).isEmpty());
}

}  // namespace
}  // namespace hygrova
