#include "support/tooldialogs.h"

#include "dialogs/picturedlg.h"
#include "dialogs/textenterdlg.h"
#include "support/modaldialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

void answerToolDialog(QObject* context, ToolDialog dialog, const QString& text)
{
    if (dialog == TypeText) {
        answerModalDialog<TextEnterDlg>(context, [text](TextEnterDlg* entry) {
            auto* field = entry->findChild<QLineEdit*>(QStringLiteral("lineEdit"));
            auto* buttons = entry->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            if (!field || !buttons) {
                entry->reject();
                return;
            }
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, text);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
    } else if (dialog == RejectPicture) {
        answerModalDialog<PictureDlg>(context, [](PictureDlg* picture) { picture->reject(); });
    }
}
