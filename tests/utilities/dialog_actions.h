#pragma once

// What a user does in the utility dialogs: click, type into a grid's cell, read the rows.
#include "tests/platform/whats_this_probe.h"
#include "utilities/record_grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace testing_dialogs {

// A check box or a radio button takes a click on its box; a push button anywhere.
inline void click(QAbstractButton* button) {
    QVERIFY(button);
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint at = boxed ? QPoint(qMin(8, button->width() / 2), button->height() / 2)
                            : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Shows the dialog as exec would, so that the user can click it.
inline void showDialog(QDialog& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
}

// What a user does in a dialog the program shows modally, as the dialog seam's answer: the
// dialog shows, the user acts, and the dialog's result goes back to the program.
template <typename Dialog, typename Act> std::function<int(QDialog&)> inDialog(Act act) {
    return [act](QDialog& dialog) {
        auto& shown = static_cast<Dialog&>(dialog);
        showDialog(shown);
        act(shown);
        return shown.QDialog::result();
    };
}

// Clicks the cell of the field in the row, which opens its editor, and types the text over
// what it holds.
inline void typeIntoCell(utilities::TRecordGrid& grid, int row, const QString& field,
                         const QString& text) {
    const int column = grid.gridModel()->columnOfField(field);
    QVERIFY(column >= 0);
    const QModelIndex cell = grid.gridModel()->index(row, column);
    grid.scrollTo(cell);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
    // Editors closed before wait to be deleted; the open one is the one shown.
    QLineEdit* editor = nullptr;
    for (QLineEdit* line : grid.viewport()->findChildren<QLineEdit*>())
        if (line->isVisible())
            editor = line;
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
}

// The texts of a column, row by row, as the grid shows them.
inline QStringList column(utilities::TRecordGrid& grid, const QString& field) {
    QStringList texts;
    const int column = grid.gridModel()->columnOfField(field);
    for (int row = 0; row < grid.gridModel()->rowCount(); ++row)
        texts << grid.gridModel()->index(row, column).data().toString();
    return texts;
}

// The controls a user can right-click in a dialog (shown and enabled) that do not explain
// themselves ("What's this?"), the toolkit's own inner parts left aside.
inline QStringList unexplained(QWidget& dialog) {
    QList<QWidget*> controls;
    for (QWidget* control : testing_whats_this::Controls(dialog))
        if (!control->objectName().startsWith("qt_") && control->isVisible() &&
            control->isEnabled())
            controls << control;
    return testing_whats_this::Unexplained(controls);
}

} // namespace testing_dialogs
