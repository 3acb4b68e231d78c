#include "letters/letter_design.h"

#include "controls/rich_edit.h"
#include "controls/rich_edit_toolbar.h"
#include "controls/ruler.h"
#include "data/table_object.h"
#include "letters/editor_seam.h"
#include "letters/letter_font.h"
#include "letters/letter_store.h"
#include "letters/merge_fields.h"
#include "letters/rtf_preview_form.h"
#include "letters/spell_check_dialog.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/path_lookup.h"
#include "platform/program_dir.h"
#include "platform/whats_this.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace letters {

namespace {

const char* wordWrapCaption(bool on) {
    return on ? "&Word Wrap is ON" : "&Word Wrap is OFF";
}

} // namespace

TLetterDesign::TLetterDesign(data::TTable& letters, data::TTable& addresses, bool newLetter,
                             QWidget* parent)
    : QDialog(parent), letters_(letters), addresses_(addresses), newLetter_(newLetter) {
    setObjectName("LetterDesign");
    setWindowTitle("Letter Designer");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    auto* top = new QHBoxLayout;
    auto* descriptionLabel = new QLabel("&Description", this);
    DescriptionEdit = new QLineEdit(this);
    DescriptionEdit->setObjectName("DescriptionEdit");
    DescriptionEdit->setMaxLength(50);
    descriptionLabel->setBuddy(DescriptionEdit);
    top->addWidget(descriptionLabel);
    top->addWidget(DescriptionEdit, 1);
    auto* fieldLabel = new QLabel("Insert &field", this);
    InsertFieldList = new QComboBox(this);
    InsertFieldList->setObjectName("InsertFieldList");
    InsertFieldList->addItems(MergeFieldNames());
    InsertFieldList->setCurrentIndex(0);
    fieldLabel->setBuddy(InsertFieldList);
    top->addWidget(fieldLabel);
    top->addWidget(InsertFieldList);
    layout->addLayout(top);

    Editor = new controls::TRichEdit(this);
    UseProgramDialogs(*Editor);
    ToolBar = new controls::TRichEditToolBar(*Editor, this);
    Ruler = new controls::TRuler(*Editor, this);
    layout->addWidget(ToolBar);
    layout->addWidget(Ruler);
    layout->addWidget(Editor, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(platform::NewWhatsThisButton(this));
    buttons->addStretch();
    auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    PreviewButton = button("Preview", "PreviewButton");
    OkButton = button("Ok", "OkButton");
    CancelButton = button("Cancel", "CancelButton");
    HelpButton = button("Help", "HelpButton");
    layout->addLayout(buttons);
    OnSpellCheck = RunSpellCheck;
    buildMenus(bar);
    // Wide enough for the whole tool bar, where the screen allows.
    resize(std::max(760, ToolBar->sizeHint().width() + 2 * layout->contentsMargins().left()), 600);

    platform::GiveWhatsThisTexts(
        *this,
        {{"DescriptionEdit", "The letter's name in the list of letters"},
         {"InsertFieldList", "Choose a field to put its mark, such as [First], at the cursor; "
                             "each mark is replaced by the record's value when letters print"},
         {"RichEdit", "The letter. Marks in square brackets are merge fields"},
         {"FormatToolBar", "Formats the text at the cursor or the selected text"},
         {"Ruler", "Inches from the left margin, with the indents and tab stops of the "
                   "paragraph at the cursor"},
         {"PreviewButton", "Shows the letter merged with the current record"},
         {"OkButton", "Stores the letter and closes the designer"},
         {"CancelButton", "Closes the designer without storing the changes"},
         {"HelpButton", "Explains the letter designer"}});

    connect(InsertFieldList, &QComboBox::activated, this, &TLetterDesign::insertField);
    connect(OkButton, &QPushButton::clicked, this, &TLetterDesign::okClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(PreviewButton, &QPushButton::clicked, this, &TLetterDesign::preview);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });

    const LetterFont font = ReadLetterFont();
    if (newLetter_) {
        DescriptionEdit->setText("{untitled}");
        Editor->SetDefaultFont(font.font());
        Editor->SetAttributesAtCursor(font.name, font.size, font.bold, font.italic);
    } else {
        DescriptionEdit->setText(letters_.fieldText("DESCRIPT"));
        Editor->SetDefaultFont(font.font());
        if (!LoadRichText(letters_, *Editor))
            platform::ShowInfo("Unable to write " + ExchangeFilePath());
    }
    Editor->SetWordWrap(false);
    Editor->setFocus();
}

TLetterDesign::~TLetterDesign() = default;

QAction* TLetterDesign::menuAction(const QString& name) const {
    for (QAction* action : actions_) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

void TLetterDesign::buildMenus(QMenuBar* bar) {
    auto item = [this](QMenu* menu, const QString& caption, const char* name,
                       const QKeySequence& shortcut, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        actions_.append(action);
        return action;
    };
    QMenu* file = bar->addMenu("&File");
    item(file, "&Save as RTF", "mnuSaveAsRTF", {}, [this] { Editor->SaveAsDialog(); });
    item(file, "&Load RTF", "mnuLoadRTF", {}, [this] { Editor->LoadDialog(); });
    item(file, "&Insert RTF", "mnuInsertRTF", {}, [this] { Editor->InsertDialog(); });

    QMenu* edit = bar->addMenu("&Edit");
    item(edit, "&Find", "mnuFind", QKeySequence("Ctrl+F"), [this] { Editor->ShowFindDialog(); });
    item(edit, "&Replace", "mnuReplace", QKeySequence("Ctrl+R"),
         [this] { Editor->ShowReplaceDialog(); });
    QAction* spell = item(edit, "&Spell Check", "mnuSpell", QKeySequence("F7"), [this] {
        if (OnSpellCheck)
            OnSpellCheck(*Editor);
    });
    spell->setEnabled(QFileInfo::exists(platform::RealPath("corvan.dct")));
    item(edit, "&Insert Page Break", "mnuPageBreak", {}, [this] { insertPageBreak(); });

    QMenu* settings = bar->addMenu("&Settings");
    item(settings, "&Paragraph Settings", "mnuParagraph", {},
         [this] { Editor->ShowParagraphDialog(); });
    item(settings, "Pa&ge Settings", "mnuPageSettings", {}, [this] { pageSettings(); });
    item(settings, wordWrapCaption(false), "mnuWordWrap", {}, [this] { toggleWordWrap(); });
    item(settings, DefaultFontCaption(ReadLetterFont()), "mnuDefaultFont", {},
         [this] { defaultFont(); });
}

void TLetterDesign::insertField(int index) {
    if (index < 0)
        return;
    Editor->InsertText(MergeMark(InsertFieldList->itemText(index)));
    Editor->setFocus();
}

void TLetterDesign::insertPageBreak() {
    if (!platform::ConfirmYesNo("Insert a page break?", "PAGE BREAK"))
        return;
    Editor->InsertPageBreak();
}

void TLetterDesign::pageSettings() {
    if (!Editor->ShowPageDialog())
        return;
    // The letter passes through the exchange file so that the new page applies everywhere.
    const QString exchange = ExchangeFilePath();
    if (Editor->SaveToFile(exchange)) {
        Editor->Clear();
        Editor->LoadFromFile(exchange);
    }
    QFile::remove(exchange);
}

void TLetterDesign::toggleWordWrap() {
    Editor->SetWordWrap(!Editor->WordWrap());
    menuAction("mnuWordWrap")->setText(wordWrapCaption(Editor->WordWrap()));
}

void TLetterDesign::defaultFont() {
    LetterFont current = ReadLetterFont();
    const std::optional<QFont> chosen = platform::CurrentDialogs().font(current.font());
    if (!chosen)
        return;
    LetterFont font;
    font.name = chosen->family();
    font.size = std::max(1, qRound(chosen->pointSizeF()));
    font.bold = chosen->bold();
    font.italic = chosen->italic();
    SaveLetterFont(font);
    Editor->SetAttributesAtCursor(font.name, font.size, font.bold, font.italic);
    menuAction("mnuDefaultFont")->setText(DefaultFontCaption(font));
}

void TLetterDesign::preview() {
    TRTFPreviewForm form(*Editor, addresses_, this);
    platform::CenterOnMainForm(form);
    platform::CurrentDialogs().exec(form);
}

void TLetterDesign::okClick() {
    try {
        if (newLetter_)
            letters_.insert();
        else
            letters_.edit();
        letters_.setFieldText("DESCRIPT", DescriptionEdit->text());
        if (!SaveRichText(*Editor, letters_)) {
            letters_.cancel();
            platform::ShowInfo("Unable to write " + ExchangeFilePath());
            return;
        }
        letters_.post();
    } catch (const std::exception& error) {
        letters_.cancel();
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        return;
    }
    done(platform::ResultOk);
}

} // namespace letters
