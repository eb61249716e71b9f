#pragma once
// Typing into dialog fields as a user does: the keys of a value followed by
// Enter, into a spin box or into a cell of a table opened for editing.

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

// Replaces the spin box's text with `text` and presses Enter.
inline void typeIntoSpinBox(QAbstractSpinBox* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Enter);
}

// Makes the cell current, which opens its editor (or opens it when the cell
// was current already), types `text` over its contents and presses Return,
// which commits the cell. False when no editor opened.
inline bool typeIntoCell(QTableWidget* table, int row, int column, const QString& text)
{
    // An editor closed earlier is deleted later; get rid of it first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    table->setCurrentCell(row, column);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    if (!editor) {
        table->editItem(table->item(row, column));
        editor = table->viewport()->findChild<QLineEdit*>();
    }
    if (!editor)
        return false;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the cell and closes the editor in a queued call.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}
