#include "controls/insert_mode.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

bool& insertMode() {
    static bool on = false;
    return on;
}

// Before a typed character reaches the editor, selects at least one character at the caret
// so that the character replaces it.
class OvertypeFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            SetInsertMode(!InsertModeOn());
            return true;
        }
        if (InsertModeOn() || !TypesACharacter(*key))
            return false;
        if (auto* line = qobject_cast<QLineEdit*>(watched)) {
            if (!line->hasSelectedText() && line->cursorPosition() < line->text().size())
                line->setSelection(line->cursorPosition(), 1);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(watched)) {
            QTextCursor cursor = text->textCursor();
            if (!cursor.hasSelection() && !cursor.atBlockEnd()) {
                cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
                text->setTextCursor(cursor);
            }
        }
        return false;
    }
};

} // namespace

bool InsertModeOn() {
    return insertMode();
}

void SetInsertMode(bool on) {
    insertMode() = on;
}

bool TypesACharacter(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

void InstallOvertype(QWidget* editor) {
    editor->installEventFilter(new OvertypeFilter(editor));
}
