#pragma once

#include "letters/spell/spell_engine.h"

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace controls {
class TRichEdit;
}

namespace letters {

// "Spell Check": walks the letter in the designer's editor word by word, stops at each word
// that no dictionary holds, and replaces it, skips it or adds it to the user's dictionary. The
// changes are made in the editor; the designer saves or discards them as usual.
class TSpellCheckDialog : public QDialog {
    Q_OBJECT
public:
    // Opens "corvan.dct" and the user's "corvanu.dct" (created empty when missing).
    explicit TSpellCheckDialog(controls::TRichEdit& editor, QWidget* parent = nullptr);
    ~TSpellCheckDialog() override;

    static constexpr int HelpTopic = 1084;

    QLineEdit* Word = nullptr;
    QLineEdit* ReplaceAs = nullptr;
    QListWidget* WordList = nullptr;
    QPushButton* Replace = nullptr;
    QPushButton* Cancelbutton = nullptr;
    QPushButton* GetNextWordButton = nullptr;
    QPushButton* Addbutton = nullptr;
    QPushButton* Helpbutton = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void checkNextWord();
    void replaceClick();
    void addClick();
    void finish();
    void closeDictionaries();

    controls::TRichEdit& editor_;
    spell::TSpellEngine engine_;
    std::int16_t userDictionary_ = -1;
    bool firstActivation_ = true;
    bool closed_ = false;
};

// The designer's "&Spell Check": the dialog over the editor, centred and modal.
void RunSpellCheck(controls::TRichEdit& editor);

} // namespace letters
