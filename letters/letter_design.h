#pragma once

#include <QDialog>

#include <functional>

class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace controls {
class TRichEdit;
class TRichEditToolBar;
class TRuler;
} // namespace controls
namespace data {
class TTable;
}

namespace letters {

// "Letter Designer": edits one letter of LETTER.DBF, its description and its text with merge
// fields, and stores both on "Ok".
class TLetterDesign : public QDialog {
    Q_OBJECT
public:
    // A new letter is appended on "Ok"; otherwise the letter table's current record is edited.
    TLetterDesign(data::TTable& letters, data::TTable& addresses, bool newLetter,
                  QWidget* parent = nullptr);
    ~TLetterDesign() override;

    static constexpr int HelpTopic = 1085;

    QLineEdit* DescriptionEdit = nullptr;
    QComboBox* InsertFieldList = nullptr;
    controls::TRichEdit* Editor = nullptr;
    controls::TRichEditToolBar* ToolBar = nullptr;
    controls::TRuler* Ruler = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* PreviewButton = nullptr;
    QPushButton* HelpButton = nullptr;

    // Menu items by object name ("mnuPageBreak", "mnuWordWrap", ...).
    QAction* menuAction(const QString& name) const;

    // "&Spell Check" (enabled while the main dictionary exists): the spell check dialog unless
    // replaced.
    std::function<void(controls::TRichEdit&)> OnSpellCheck;

private:
    void buildMenus(QMenuBar* bar);
    void insertField(int index);
    void okClick();
    void pageSettings();
    void toggleWordWrap();
    void defaultFont();
    void insertPageBreak();
    void preview();

    data::TTable& letters_;
    data::TTable& addresses_;
    bool newLetter_;
    QList<QAction*> actions_;
};

} // namespace letters
