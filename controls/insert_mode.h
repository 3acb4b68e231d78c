#pragma once

class QKeyEvent;
class QWidget;

// The program keeps its own insert/overtype state, toggled by the Insert key. At start it is
// in overtype mode: a typed character replaces the one at the caret.
bool InsertModeOn();
void SetInsertMode(bool on);

// True for keys that type a character (not control or navigation keys), the keys that
// replace a character while overtype is on.
bool TypesACharacter(const QKeyEvent& event);

// Makes a QLineEdit or QPlainTextEdit follow the insert/overtype state.
void InstallOvertype(QWidget* editor);
