#pragma once
// Modal dialogs in tests. answerModalDialog answers the next modal dialog a test's call runs with exec(): once its
// event loop runs, `answer` gets the dialog when it is of type D. Any other
// modal dialog is rejected, so that a test that expected another dialog fails
// instead of waiting for a user.

#include <QApplication>
#include <QDialog>
#include <QTimer>

template <class D, class F> void answerModalDialog(QObject* context, F answer)
{
    QTimer::singleShot(0, context, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<D*>(modal)) {
            answer(dialog);
        } else if (auto* other = qobject_cast<QDialog*>(modal)) {
            other->reject();
        }
    });
}

// Rejects every modal dialog that comes up while it lives (none should, and
// a test must not wait for a user) and records that one came.
struct DialogWatch {
    DialogWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                asked = true;
                dialog->reject();
            }
        });
        timer.start(20);
    }
    QTimer timer;
    bool asked = false;
};
